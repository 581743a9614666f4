#pragma once

#include "station/JsonObject.h"
#include "station/TrimResult.h"

#include <QString>

#include <optional>
#include <vector>

namespace vcm::station {

/// What the station log keeps of a trim beside its result: the board, the station's tools and settings.
struct TrimContext {
    QString boardId;  ///< --board-id; empty when not given
    QString tool;     ///< "vcm7310 1.0.0"
    QString adapter;  ///< as --adapter names it ("sim", "i2c:3")
    bool closedLoop = false;
    double target = 0.0;
    std::optional<double> tolerance;  ///< closed loop, once worked out
    QString meter;                    ///< as the user named it ("command", "scpi:tcp:...")
    QString meterIdentity;            ///< what the meter says it is
};

/// A DCP value and its VCOM as the records give them: {"hex":"7D","value":125,"vcom":4.0123}.
JsonObject pointObject(const DcpPoint& point);

/// The points as a JSON array's items.
std::vector<JsonObject> pointObjects(const std::vector<DcpPoint>& points);

/// The station log's line for one trim, stamped `time`.
JsonObject logLine(const TrimContext& context, const TrimResult& result, const QString& time);

/// A voltage as the records write it: the shortest text that reads back as the same number.
QString voltsText(double volts);
/// A tolerance or an error in volts as the records write it: six decimals.
QString microvoltsText(double volts);

}  // namespace vcm::station
