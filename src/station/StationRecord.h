#pragma once

#include "station/JsonObject.h"
#include "station/TrimResult.h"
#include "station/TrimSearch.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vcm::station {

/// What the station log keeps of a trim beside its result: who trimmed which board where, when, with
/// what, and to which limits.
struct TrimContext {
    QString start;               ///< when the attempt began, as logTime writes it
    QString end;                 ///< when it ended
    QString station;             ///< --station-id, by default the host's name
    QString operatorName;        ///< --operator; empty when not given
    QString boardId;             ///< --board-id; empty when not given
    std::optional<int> attempt;  ///< with a board id: 1 + the earlier lines for the board in the log
    QString tool;                ///< "vcm7310 1.0.0"
    QString adapter;             ///< as --adapter names it ("sim", "i2c:3")
    QString meter;               ///< closed loop: as the user named it ("command", "scpi:tcp:...")
    QString meterIdentity;       ///< what the meter says it is, when it says
    bool closedLoop = false;
    double target = 0.0;
    std::optional<double> tolerance;  ///< closed loop
    QString recipe;                   ///< recipeOf() the settings that decide the verdict
};

/// A short, stable name of the settings that decide a verdict ("key=value" each): the first eight hex
/// digits of their SHA-256, so that every line can be traced to its settings and lines of one recipe
/// grouped.
QString recipeOf(const QStringList& settings);

/// A DCP value and its VCOM as the records give them: {"hex":"7D","value":125,"vcom":4.0123}.
JsonObject pointObject(const DcpPoint& point);
/// A reading as the records give it, with its time: {"hex":"7D","value":125,"vcom":4.0123,"seconds":0.2}.
std::vector<JsonObject> measurementObjects(const std::vector<Measurement>& readings);

/// The station log's line for one attempt, whatever its outcome.
JsonObject logLine(const TrimContext& context, const TrimResult& result);

/// A voltage as the records write it: the shortest text that reads back as the same number.
QString voltsText(double volts);
/// A tolerance or an error in volts as the records write it: six decimals.
QString microvoltsText(double volts);

}  // namespace vcm::station
