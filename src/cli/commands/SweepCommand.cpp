#include "cli/commands/CommandFailure.h"
#include "cli/commands/Commands.h"
#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"
#include "meter/core/MeterSession.h"
#include "meter/core/StopSignal.h"
#include "station/BoardConnection.h"
#include "station/Sweep.h"
#include "station/SweepPlot.h"

#include <QLocale>
#include <QSaveFile>
#include <QThread>

namespace vcm::cli {

namespace {

const QLocale kC = QLocale::c();

void writeFile(const QString& path, const QString& text, const QString& what) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        throw CommandFailure{
            kExitError, QStringLiteral("file"),
            QStringLiteral("sweep: cannot write the %1 '%2' (%3)").arg(what, path, file.errorString())};
    }
}

JsonObject sweepJson(const Invocation& invocation, const std::vector<station::SweepRow>& rows) {
    std::vector<JsonObject> points;
    for (const station::SweepRow& row : rows) {
        JsonObject object;
        object.text(QStringLiteral("hex"), dcp::byteToHex(row.value))
            .integer(QStringLiteral("value"), row.value)
            .number(QStringLiteral("model"), dcp::formatGeneral(row.model, kC));
        if (row.measured) {
            object.number(QStringLiteral("measured"), dcp::formatGeneral(*row.measured, kC));
        }
        points.push_back(object);
    }
    return JsonObject()
        .text(QStringLiteral("command"), commandName(invocation.command))
        .text(QStringLiteral("from"), dcp::byteToHex(invocation.from))
        .text(QStringLiteral("to"), dcp::byteToHex(invocation.to))
        .array(QStringLiteral("points"), points);
}

/// Measures every row on the board; a failure carries the rows measured before it.
void measure(const Invocation& invocation, const CommandOutput& out, const MeterMaker& builtInMeter,
             std::vector<station::SweepRow>& rows) {
    const meter::StopSignal stops;
    station::BoardConnection board(invocation.adapter, invocation.sim);
    const std::uint8_t found = board.session().read();
    meter::MeterSession meter(
        meter::openMeter(invocation.meter, builtInMeter), invocation.settleMs, invocation.average,
        [](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); });
    std::vector<station::SweepRow> measured;
    try {
        station::measureRows(
            board.session(), meter, rows, found, meter::StopSignal::pending,
            [&](const station::SweepRow& row) {
                measured.push_back(row);
                out.text(QStringLiteral("%1  model %2 V  measured %3 V")
                             .arg(dcpValueText(row.value), -9)
                             .arg(dcp::formatFixed(row.model, 6, kC), dcp::formatGeneral(*row.measured, kC)));
            });
    } catch (...) {
        rethrowWithDone(sweepJson(invocation, measured));
    }
    out.text(QStringLiteral("data register set back to %1").arg(dcpValueText(found)));
}

}  // namespace

JsonObject runSweep(const Invocation& invocation, const CommandOutput& out, const MeterMaker& builtInMeter) {
    const auto model = station::modelSweep(invocation.forward, invocation.from, invocation.to);
    if (const auto* fault = std::get_if<calc::ArithmeticFault>(&model)) {
        throw CommandFailure{kExitFail, fault->message};
    }
    std::vector<station::SweepRow> rows = std::get<std::vector<station::SweepRow>>(model);
    // Without a meter the sweep is the model alone, and nothing goes on the bus.
    if (invocation.meter.given()) {
        measure(invocation, out, builtInMeter, rows);
    } else {
        for (const station::SweepRow& row : rows) {
            out.text(QStringLiteral("%1  model %2 V")
                         .arg(dcpValueText(row.value), -9)
                         .arg(dcp::formatFixed(row.model, 6, kC)));
        }
    }
    const std::optional<std::uint8_t> chosen = station::nearestRow(rows, invocation.sweepVcom);
    if (chosen) {
        out.field(QStringLiteral("nearest"), dcpValueText(*chosen));
    }
    if (!invocation.csvFile.isEmpty()) {
        writeFile(invocation.csvFile, station::sweepCsv(rows), QStringLiteral("CSV file"));
    }
    if (!invocation.svgFile.isEmpty()) {
        writeFile(invocation.svgFile, station::sweepSvg(rows, chosen), QStringLiteral("SVG file"));
    }
    JsonObject result = sweepJson(invocation, rows);
    if (chosen) {
        result.text(QStringLiteral("nearest"), dcp::byteToHex(*chosen));
    }
    return result;
}

}  // namespace vcm::cli
