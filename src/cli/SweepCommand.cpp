#include "cli/BoardConnection.h"
#include "cli/CommandFailure.h"
#include "cli/Commands.h"
#include "cli/MeterSession.h"
#include "cli/SweepPlot.h"
#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"

#include <QLocale>
#include <QSaveFile>

#include <cmath>
#include <memory>

namespace vcm::cli {

namespace {

const QLocale kC = QLocale::c();

void writeFile(const QString& path, const QString& text, const QString& what) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        throw CommandFailure{
            kExitFailed,
            QStringLiteral("sweep: cannot write the %1 '%2' (%3)").arg(what, path, file.errorString())};
    }
}

/// The value nearest the target among the rows (measured where there is a measurement), the lower one of
/// two equally near.
std::optional<std::uint8_t> nearestRow(const std::vector<SweepRow>& rows, std::optional<double> target) {
    std::optional<std::uint8_t> best;
    double bestDistance = INFINITY;
    if (!target) {
        return best;
    }
    for (const SweepRow& row : rows) {
        const double distance = std::abs(row.measured.value_or(row.model) - *target);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = row.value;
        }
    }
    return best;
}

}  // namespace

JsonObject runSweep(const Invocation& invocation, const CommandOutput& out, const MeterMaker& builtInMeter) {
    std::vector<SweepRow> rows;
    for (int value = invocation.from; value <= invocation.to; ++value) {
        calc::ForwardInputs inputs = invocation.forward;
        inputs.d = static_cast<std::uint8_t>(value);
        const auto outcome = calc::computeForward(inputs);
        if (const auto* fault = std::get_if<calc::ArithmeticFault>(&outcome)) {
            throw CommandFailure{kExitFailed, fault->message};
        }
        rows.push_back({static_cast<std::uint8_t>(value), std::get<calc::ForwardResults>(outcome).vcom, {}});
    }

    const auto rowObject = [](const SweepRow& row) {
        JsonObject object;
        object.text(QStringLiteral("hex"), dcp::byteToHex(row.value))
            .integer(QStringLiteral("value"), row.value)
            .number(QStringLiteral("model"), dcp::formatGeneral(row.model, kC));
        if (row.measured) {
            object.number(QStringLiteral("measured"), dcp::formatGeneral(*row.measured, kC));
        }
        return object;
    };
    const auto json = [&](std::size_t upTo) {
        std::vector<JsonObject> points;
        for (std::size_t i = 0; i < upTo; ++i) {
            points.push_back(rowObject(rows[i]));
        }
        return JsonObject()
            .text(QStringLiteral("command"), commandName(invocation.command))
            .text(QStringLiteral("from"), dcp::byteToHex(invocation.from))
            .text(QStringLiteral("to"), dcp::byteToHex(invocation.to))
            .array(QStringLiteral("points"), points);
    };

    // Without a meter the sweep is the model alone, and nothing goes on the bus.
    if (invocation.meter.given()) {
        BoardConnection board(invocation);
        const std::uint8_t found = board.session().read();
        MeterSession meter(invocation, builtInMeter);
        std::size_t done = 0;
        try {
            for (SweepRow& row : rows) {
                row.measured = meter.measureAt(board.session(), row.value);
                ++done;
                out.text(QStringLiteral("%1  model %2 V  measured %3 V")
                             .arg(dcpValueText(row.value), -9)
                             .arg(dcp::formatFixed(row.model, 6, kC), dcp::formatGeneral(*row.measured, kC)));
            }
        } catch (CommandFailure& failure) {
            // The data register goes back to what it held; the failure stays the one to report.
            try {
                board.session().sendVerified(found);
            } catch (const CommandFailure&) {
                failure.message += QStringLiteral("; the data register could not be set back to %1")
                                       .arg(dcp::byteToHex(found));
            }
            failure.done = json(done);
            throw;
        }
        board.session().sendVerified(found);
        out.text(QStringLiteral("data register set back to %1").arg(dcpValueText(found)));
    } else {
        for (const SweepRow& row : rows) {
            out.text(QStringLiteral("%1  model %2 V")
                         .arg(dcpValueText(row.value), -9)
                         .arg(dcp::formatFixed(row.model, 6, kC)));
        }
    }

    const std::optional<std::uint8_t> chosen = nearestRow(rows, invocation.sweepVcom);
    if (chosen) {
        out.field(QStringLiteral("nearest"), dcpValueText(*chosen));
    }
    if (!invocation.csvFile.isEmpty()) {
        writeFile(invocation.csvFile, sweepCsv(rows), QStringLiteral("CSV file"));
    }
    if (!invocation.svgFile.isEmpty()) {
        writeFile(invocation.svgFile, sweepSvg(rows, chosen), QStringLiteral("SVG file"));
    }
    JsonObject result = json(rows.size());
    if (chosen) {
        result.text(QStringLiteral("nearest"), dcp::byteToHex(*chosen));
    }
    return result;
}

}  // namespace vcm::cli
