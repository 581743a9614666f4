#include "calculator/FieldTexts.h"
#include "calculator/InputChecks.h"
#include "cli/commands/CalcChecks.h"
#include "cli/commands/CommandFailure.h"
#include "cli/commands/Commands.h"
#include "dcp/DcpText.h"

#include <QLocale>

namespace vcm::cli {

namespace {

const QLocale kC = QLocale::c();

QString dcpLabel(bool decimal) {
    return decimal ? QStringLiteral("DCP (dec)") : QStringLiteral("DCP (hex)");
}

/// The four fields both calculations write first: IOUT, VRSET, VCOM and the DCP text.
void showOperatingPoint(const CommandOutput& out, JsonObject& json, double iout, double vrset, double vcom,
                        std::uint8_t d, bool decimal) {
    const QString dcp = dcp::dcpText(d, !decimal);
    out.field(QStringLiteral("IOUT"), calc::ioutText(iout, kC) + QStringLiteral(" mA"));
    out.field(QStringLiteral("VRSET"), calc::voltageText(vrset, kC) + QStringLiteral(" V"));
    out.field(QStringLiteral("VCOM"), calc::voltageText(vcom, kC) + QStringLiteral(" V"));
    out.field(dcpLabel(decimal), dcp);
    json.number(QStringLiteral("iout"), calc::ioutText(iout, kC))
        .number(QStringLiteral("vrset"), calc::voltageText(vrset, kC))
        .number(QStringLiteral("vcom"), calc::voltageText(vcom, kC))
        .text(QStringLiteral("dcp"), dcp);
}

}  // namespace

JsonObject runCalcForward(const Invocation& invocation, const CommandOutput& out) {
    QStringList warnings;
    const calc::ForwardResults results = checkedForward(invocation.forward, [&](const QString& message) {
        out.warning(message);
        warnings << message;
    });
    JsonObject json;
    json.text(QStringLiteral("command"), commandName(invocation.command));
    showOperatingPoint(out, json, results.ioutMilliamps, results.vrset, results.vcom, invocation.forward.d,
                       invocation.decimal);
    out.field(QStringLiteral("VOUTmax"), calc::voltageText(results.voutMax, kC) + QStringLiteral(" V"));
    out.field(QStringLiteral("VOUTmin"), calc::voltageText(results.voutMin, kC) + QStringLiteral(" V"));
    json.number(QStringLiteral("voutMax"), calc::voltageText(results.voutMax, kC))
        .number(QStringLiteral("voutMin"), calc::voltageText(results.voutMin, kC));
    if (!warnings.isEmpty()) {
        json.textArray(QStringLiteral("warnings"), warnings);
    }
    return json;
}

JsonObject runCalcReverse(const Invocation& invocation, const CommandOutput& out) {
    calc::ReverseInputs inputs = invocation.reverse;
    failOnCorrections(calc::checkReverseInputs(inputs));
    const auto outcome = calc::computeReverse(inputs);
    if (const auto* fault = std::get_if<calc::ArithmeticFault>(&outcome)) {
        throw CommandFailure{kExitFail, fault->message};
    }
    const auto& results = std::get<calc::ReverseResults>(outcome);
    JsonObject json;
    json.text(QStringLiteral("command"), commandName(invocation.command));
    showOperatingPoint(out, json, results.ioutMilliamps, results.vrset, results.vcom, inputs.d,
                       invocation.decimal);

    // What the window shows in red, said in words.
    QStringList outOfRange;
    const auto resistor = [&](const QString& name, double ohms) {
        const bool bad = calc::resistorOutOfRange(ohms);
        out.field(name, calc::resistorText(ohms, kC) + QStringLiteral(" ohm") +
                            (bad ? QStringLiteral(" (out of range: not above 0)") : QString()));
        json.number(name.toLower(), calc::resistorText(ohms, kC));
        if (bad) {
            outOfRange << name.toLower();
        }
    };
    resistor(QStringLiteral("R1"), results.r1);
    resistor(QStringLiteral("R2"), results.r2);
    if (calc::avddOutOfRange(inputs.avdd)) {
        out.text(QStringLiteral("AVDD is out of range: above 18 V"));
        outOfRange << QStringLiteral("avdd");
    }
    return json.textArray(QStringLiteral("outOfRange"), outOfRange);
}

}  // namespace vcm::cli
