#include "station/StationRecord.h"

#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"

#include <QCryptographicHash>
#include <QLocale>

namespace vcm::station {

QString voltsText(double volts) {
    return dcp::formatGeneral(volts, QLocale::c());
}

QString microvoltsText(double volts) {
    return dcp::formatFixed(volts, 6, QLocale::c());
}

QString recipeOf(const QStringList& settings) {
    const QByteArray text = settings.join(u';').toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex().left(8));
}

JsonObject pointObject(const DcpPoint& point) {
    return JsonObject()
        .text(QStringLiteral("hex"), dcp::byteToHex(point.value))
        .integer(QStringLiteral("value"), point.value)
        .number(QStringLiteral("vcom"), voltsText(point.vcom));
}

std::vector<JsonObject> measurementObjects(const std::vector<Measurement>& readings) {
    std::vector<JsonObject> items;
    for (const Measurement& reading : readings) {
        items.push_back(
            pointObject({reading.value, reading.vcom})
                .number(QStringLiteral("seconds"), dcp::formatFixed(reading.seconds, 3, QLocale::c())));
    }
    return items;
}

JsonObject logLine(const TrimContext& context, const TrimResult& result) {
    JsonObject line;
    line.text(QStringLiteral("start"), context.start)
        .text(QStringLiteral("end"), context.end)
        .text(QStringLiteral("station"), context.station);
    if (!context.operatorName.isEmpty()) {
        line.text(QStringLiteral("operator"), context.operatorName);
    }
    if (!context.boardId.isEmpty()) {
        line.text(QStringLiteral("boardId"), context.boardId);
    }
    if (context.attempt) {
        line.integer(QStringLiteral("attempt"), *context.attempt);
    }
    line.text(QStringLiteral("tool"), context.tool).text(QStringLiteral("adapter"), context.adapter);
    if (!context.meter.isEmpty()) {
        line.text(QStringLiteral("meter"), context.meter);
    }
    if (!context.meterIdentity.isEmpty()) {
        line.text(QStringLiteral("meterIdentity"), context.meterIdentity);
    }
    line.text(QStringLiteral("basis"),
              context.closedLoop ? QStringLiteral("measured") : QStringLiteral("model"))
        .number(QStringLiteral("target"), voltsText(context.target));
    if (context.tolerance) {
        line.number(QStringLiteral("tolerance"), microvoltsText(*context.tolerance));
    }
    line.text(QStringLiteral("recipe"), context.recipe)
        .array(QStringLiteral("measurements"), measurementObjects(result.measurements));
    if (result.chosen) {
        line.text(QStringLiteral("chosen"), dcp::byteToHex(*result.chosen));
    }
    const std::pair<const char*, std::optional<double>> readings[] = {
        {"predictedVcom", result.predictedVcom},
        {"finalVcom", result.finalVcom},
        {"afterProgram", result.afterProgram},
    };
    for (const auto& [key, vcom] : readings) {
        if (vcom) {
            line.number(QString::fromLatin1(key), voltsText(*vcom));
        }
    }
    line.text(QStringLiteral("outcome"), verdictName(result.verdict));
    if (!result.passed()) {
        line.text(QStringLiteral("failure"), result.failure).text(QStringLiteral("reason"), result.message);
    }
    return line.boolean(QStringLiteral("programmed"), result.programmed);
}

}  // namespace vcm::station
