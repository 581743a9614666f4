#include "cli/commands/TrimOutput.h"

#include "calculator/FieldTexts.h"
#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"

#include <QLocale>

namespace vcm::cli {

namespace {

const QLocale kC = QLocale::c();
/// Measured errors are shown to the microvolt, predicted ones as the calculator shows volts.
constexpr int kMeasuredDecimals = 6;
constexpr int kPredictedDecimals = 4;

}  // namespace

QString signedText(double value, int decimals) {
    const QString text = dcp::formatFixed(value, decimals, kC);
    return text.startsWith(u'-') ? text : u'+' + text;
}

QString readingLine(const station::Measurement& reading) {
    return QStringLiteral("measured %1: %2 V")
        .arg(dcpValueText(reading.value), station::voltsText(reading.vcom));
}

JsonObject trimJson(const Command command, const TrimSetup& setup, const station::TrimResult& result) {
    const station::TrimPlan& plan = setup.plan;
    JsonObject json;
    json.text(QStringLiteral("command"), commandName(command))
        .number(QStringLiteral("target"), station::voltsText(plan.target))
        .text(QStringLiteral("basis"),
              setup.closedLoop ? QStringLiteral("measured") : QStringLiteral("model"));
    if (setup.closedLoop) {
        json.number(QStringLiteral("tolerance"), station::microvoltsText(plan.tolerance))
            .array(QStringLiteral("measurements"), station::measurementObjects(result.measurements));
    }
    if (result.chosen) {
        json.text(QStringLiteral("hex"), dcp::byteToHex(*result.chosen))
            .integer(QStringLiteral("value"), *result.chosen);
    }
    if (result.finalVcom) {
        json.number(QStringLiteral("vcom"), station::voltsText(*result.finalVcom))
            .number(QStringLiteral("error"),
                    signedText(*result.finalVcom - plan.target, kMeasuredDecimals).remove(u'+'));
    } else if (result.predictedVcom) {
        json.number(QStringLiteral("vcom"), calc::voltageText(*result.predictedVcom, kC))
            .number(QStringLiteral("error"),
                    signedText(*result.predictedVcom - plan.target, kPredictedDecimals).remove(u'+'));
    }
    if (result.movedFrom) {
        json.text(QStringLiteral("movedFrom"), dcp::byteToHex(*result.movedFrom));
    }
    if (result.afterProgram) {
        json.number(QStringLiteral("afterProgram"), station::voltsText(*result.afterProgram));
    }
    return json.boolean(QStringLiteral("programmed"), result.programmed);
}

void printTrimmed(const CommandOutput& out, const TrimSetup& setup, const station::TrimResult& result) {
    if (!result.chosen || (!result.passed() && !result.programmed)) {
        return;
    }
    const double target = setup.plan.target;
    if (result.movedFrom) {
        out.field(QStringLiteral("moved"), QStringLiteral("from %1: a neighbour was nearer (the board is not "
                                                          "monotonic there)")
                                               .arg(dcpValueText(*result.movedFrom)));
    }
    out.field(QStringLiteral("DCP"), dcpValueText(*result.chosen));
    if (result.finalVcom) {
        out.field(QStringLiteral("VCOM"),
                  station::voltsText(*result.finalVcom) + QStringLiteral(" V measured"));
        out.field(QStringLiteral("error"),
                  signedText(*result.finalVcom - target, kMeasuredDecimals) + QStringLiteral(" V"));
    } else if (result.predictedVcom) {
        out.field(QStringLiteral("VCOM"),
                  calc::voltageText(*result.predictedVcom, kC) + QStringLiteral(" V predicted"));
        out.field(QStringLiteral("error"),
                  signedText(*result.predictedVcom - target, kPredictedDecimals) + QStringLiteral(" V"));
    }
    if (result.programmed) {
        out.text(QStringLiteral("programmed into the EEPROM"));
    }
    if (result.afterProgram) {
        out.field(QStringLiteral("after"),
                  station::voltsText(*result.afterProgram) + QStringLiteral(" V measured after programming"));
    }
}

}  // namespace vcm::cli
