#include "station/StationRecord.h"

#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"

#include <QLocale>

namespace vcm::station {

QString voltsText(double volts) {
    return dcp::formatGeneral(volts, QLocale::c());
}

QString microvoltsText(double volts) {
    return dcp::formatFixed(volts, 6, QLocale::c());
}

JsonObject pointObject(const DcpPoint& point) {
    return JsonObject()
        .text(QStringLiteral("hex"), dcp::byteToHex(point.value))
        .integer(QStringLiteral("value"), point.value)
        .number(QStringLiteral("vcom"), voltsText(point.vcom));
}

std::vector<JsonObject> pointObjects(const std::vector<DcpPoint>& points) {
    std::vector<JsonObject> items;
    for (const DcpPoint& point : points) {
        items.push_back(pointObject(point));
    }
    return items;
}

JsonObject logLine(const TrimContext& context, const TrimResult& result, const QString& time) {
    JsonObject line;
    line.text(QStringLiteral("time"), time);
    if (!context.boardId.isEmpty()) {
        line.text(QStringLiteral("boardId"), context.boardId);
    }
    line.text(QStringLiteral("tool"), context.tool)
        .text(QStringLiteral("adapter"), context.adapter)
        .text(QStringLiteral("basis"),
              context.closedLoop ? QStringLiteral("measured") : QStringLiteral("model"))
        .number(QStringLiteral("target"), voltsText(context.target));
    if (context.tolerance) {
        line.number(QStringLiteral("tolerance"), microvoltsText(*context.tolerance));
    }
    if (!context.meter.isEmpty()) {
        line.text(QStringLiteral("meter"), context.meter);
    }
    if (!context.meterIdentity.isEmpty()) {
        line.text(QStringLiteral("meterIdentity"), context.meterIdentity);
    }
    line.array(QStringLiteral("measurements"), pointObjects(result.measurements));
    if (result.chosen) {
        line.text(QStringLiteral("chosen"), dcp::byteToHex(*result.chosen));
    }
    if (result.finalVcom) {
        line.number(QStringLiteral("finalVcom"), voltsText(*result.finalVcom));
    }
    line.text(QStringLiteral("result"), result.passed() ? QStringLiteral("pass") : QStringLiteral("fail"));
    if (!result.passed()) {
        line.text(QStringLiteral("reason"), result.message);
    }
    return line.boolean(QStringLiteral("programmed"), result.programmed);
}

}  // namespace vcm::station
