#include "calculator/ForwardCalculation.h"

#include "calculator/DividerFormulas.h"

namespace vcm::calc {
namespace {

QString zeroSumMessage() {
    return QStringLiteral(
        "R1 + R2 is 0, so the divider cannot be worked out.\r\n"
        "R1 + R2 must not be 0: please change R1 or R2.");
}

QString tooLargeAdvice() {
    return QStringLiteral(
        "Please check AVDD, RSET, R1 and R2 for values that are far too large or too small.");
}

}  // namespace

std::variant<ForwardResults, ArithmeticFault> computeForward(const ForwardInputs& inputs) {
    CheckedArithmetic arithmetic(tooLargeAdvice());
    const Divider divider{inputs.avdd, inputs.rset, inputs.r1, inputs.r2};
    const double n = inputs.d + 1.0;
    ForwardResults results;

    arithmetic.computing(QStringLiteral("IOUT"));
    results.ioutMilliamps = ioutMilliamps(arithmetic, inputs.avdd, inputs.rset, n);
    if (arithmetic.fault()) {
        return *arithmetic.fault();
    }

    arithmetic.computing(QStringLiteral("VRSET"));
    results.vrset = vrsetVolts(arithmetic, results.ioutMilliamps, inputs.rset);
    if (arithmetic.fault()) {
        return *arithmetic.fault();
    }

    arithmetic.computing(QStringLiteral("VCOM"));
    const double drawn = arithmetic.multiply(n, inputs.r1);
    results.vcom = loadedNodeVoltage(arithmetic, divider, drawn, 5120.0, zeroSumMessage());
    if (arithmetic.fault()) {
        return *arithmetic.fault();
    }

    arithmetic.computing(QStringLiteral("VOUTmin"));
    results.voutMin = loadedNodeVoltage(arithmetic, divider, inputs.r1, 20.0, zeroSumMessage());
    if (arithmetic.fault()) {
        return *arithmetic.fault();
    }

    arithmetic.computing(QStringLiteral("VOUTmax"));
    results.voutMax = loadedNodeVoltage(arithmetic, divider, inputs.r1, 5120.0, zeroSumMessage());
    if (arithmetic.fault()) {
        return *arithmetic.fault();
    }
    return results;
}

}  // namespace vcm::calc
