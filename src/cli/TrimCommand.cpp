#include "calculator/FieldTexts.h"
#include "cli/BoardConnection.h"
#include "cli/CalcChecks.h"
#include "cli/CommandFailure.h"
#include "cli/Commands.h"
#include "cli/MeasureCommand.h"
#include "cli/Trim.h"
#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"

#include <QLocale>

namespace vcm {

namespace {

const QLocale kC = QLocale::c();
constexpr int measuredDecimals = 6;

/// A difference with its sign always written: "+0.0004", "-0.0012".
QString signedText(double value, int decimals) {
    const QString text = formatFixed(value, decimals, kC);
    return text.startsWith(u'-') ? text : u'+' + text;
}

JsonObject pointObject(const DcpPoint& point) {
    return JsonObject()
        .text(QStringLiteral("hex"), byteToHex(point.value))
        .integer(QStringLiteral("value"), point.value)
        .number(QStringLiteral("vcom"), formatGeneral(point.vcom, kC));
}

/// The model alone: the value is chosen before anything touches the bus.
JsonObject trimByModel(const Invocation& invocation, const CommandOutput& out, JsonObject json) {
    const double target = invocation.targetVcom;
    const ForwardResults range = checkedForward(invocation.forward);
    if (target > range.voutMax || target < range.voutMin) {
        throw CommandFailure{exitUsage,
                             QStringLiteral("trim: target %1 V is outside the reachable range %2 V "
                                            "(VOUTmin) to %3 V (VOUTmax)")
                                 .arg(formatGeneral(target, kC), voltageText(range.voutMin, kC),
                                      voltageText(range.voutMax, kC))};
    }
    const auto nearest = nearestByModel(invocation.forward, target);
    if (const auto* fault = std::get_if<ArithmeticFault>(&nearest)) {
        throw CommandFailure{exitFailed, fault->message};
    }
    const DcpPoint best = std::get<DcpPoint>(nearest);

    BoardConnection board(invocation);
    board.session().sendVerified(best.value);
    out.field(QStringLiteral("DCP"), dcpValueText(best.value));
    out.field(QStringLiteral("VCOM"), voltageText(best.vcom, kC) + QStringLiteral(" V predicted"));
    out.field(QStringLiteral("error"), signedText(best.vcom - target, 4) + QStringLiteral(" V"));
    json.text(QStringLiteral("hex"), byteToHex(best.value))
        .integer(QStringLiteral("value"), best.value)
        .number(QStringLiteral("vcom"), voltageText(best.vcom, kC))
        .number(QStringLiteral("error"), signedText(best.vcom - target, 4).remove(u'+'));
    if (invocation.program) {
        board.session().program(best.value);
        out.text(QStringLiteral("programmed into the EEPROM"));
    }
    return json.boolean(QStringLiteral("programmed"), invocation.program);
}

/// The closed loop: every value is sent, verified and measured; a failure stops it with the data register
/// at the last verified value and the EEPROM untouched. Each measurement goes to `steps` as it is taken.
JsonObject measureAndTrim(const Invocation& invocation, const CommandOutput& out, JsonObject json,
                          BoardConnection& board, std::vector<JsonObject>& steps) {
    const double target = invocation.targetVcom;
    const MeasureAt measureAt = [&](std::uint8_t value) {
        board.session().sendVerified(value);
        const double vcom = runMeasureCommand(invocation.measureCommand);
        out.text(QStringLiteral("measured %1: %2 V").arg(dcpValueText(value), formatGeneral(vcom, kC)));
        steps.push_back(pointObject({value, vcom}));
        return vcom;
    };
    const ClosedLoopResult result = nearestByMeasurement(target, measureAt);
    json.array(QStringLiteral("measurements"), steps);
    if (result.outside) {
        throw CommandFailure{exitFailed,
                             QStringLiteral("trim: target %1 V is outside the measured range %2 V "
                                            "(at FF) to %3 V (at 00)")
                                 .arg(formatGeneral(target, kC), formatGeneral(result.range.min, kC),
                                      formatGeneral(result.range.max, kC))};
    }
    const DcpPoint best = result.best;
    board.session().sendVerified(best.value);
    const double error = best.vcom - target;
    out.field(QStringLiteral("DCP"), dcpValueText(best.value));
    out.field(QStringLiteral("VCOM"), formatGeneral(best.vcom, kC) + QStringLiteral(" V measured"));
    out.field(QStringLiteral("error"), signedText(error, measuredDecimals) + QStringLiteral(" V"));
    json.text(QStringLiteral("hex"), byteToHex(best.value))
        .integer(QStringLiteral("value"), best.value)
        .number(QStringLiteral("vcom"), formatGeneral(best.vcom, kC))
        .number(QStringLiteral("error"), signedText(error, measuredDecimals).remove(u'+'));
    if (invocation.program) {
        board.session().program(best.value);
        out.text(QStringLiteral("programmed into the EEPROM"));
    }
    return json.boolean(QStringLiteral("programmed"), invocation.program);
}

JsonObject trimByMeasurement(const Invocation& invocation, const CommandOutput& out, const JsonObject& json) {
    BoardConnection board(invocation);
    std::vector<JsonObject> steps;
    try {
        return measureAndTrim(invocation, out, json, board, steps);
    } catch (CommandFailure& failure) {
        // What was measured before the failure goes out with it.
        failure.done = JsonObject(json).array(QStringLiteral("measurements"), steps);
        throw;
    }
}

}  // namespace

JsonObject runTrim(const Invocation& invocation, const CommandOutput& out) {
    const bool closedLoop = !invocation.measureCommand.isEmpty();
    JsonObject json;
    json.text(QStringLiteral("command"), commandName(invocation.command))
        .number(QStringLiteral("target"), formatGeneral(invocation.targetVcom, kC))
        .text(QStringLiteral("basis"), closedLoop ? QStringLiteral("measured") : QStringLiteral("model"));
    return closedLoop ? trimByMeasurement(invocation, out, std::move(json))
                      : trimByModel(invocation, out, std::move(json));
}

}  // namespace vcm
