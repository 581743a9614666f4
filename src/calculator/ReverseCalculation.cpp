#include "calculator/ReverseCalculation.h"

#include "calculator/DividerFormulas.h"

namespace vcm::calc {
namespace {

QString r1DivisorZeroMessage() {
    return QStringLiteral(
        "The wanted range makes the divisor of R1 zero: VOUTmin is exactly 256 times VOUTmax.\r\n"
        "Please change VOUTmax or VOUTmin.");
}

QString r2DivisorZeroMessage() {
    return QStringLiteral(
        "The wanted range makes the divisor of R2 zero: the span VOUTmax - VOUTmin is exactly 255 times "
        "AVDD - VOUTmax.\r\n"
        "Please change VOUTmax, VOUTmin or AVDD.");
}

QString zeroSumMessage() {
    return QStringLiteral(
        "R1 + R2 came out as 0, so VCOM cannot be worked out.\r\n"
        "R1 + R2 must not be 0: please change VOUTmax, VOUTmin or AVDD.");
}

QString tooLargeAdvice() {
    return QStringLiteral(
        "Please check AVDD, RSET, VOUTmax and VOUTmin for values that are far too large or too small.");
}

}  // namespace

std::variant<ReverseResults, ArithmeticFault> computeReverse(const ReverseInputs& inputs) {
    CheckedArithmetic arithmetic(tooLargeAdvice());
    const double n = inputs.d + 1.0;
    ReverseResults results;

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

    // R1 = (VOUTmax − VOUTmin) / (VOUTmax × 256 − VOUTmin) × (RSET × 5120)
    arithmetic.computing(QStringLiteral("R1"));
    const double span = arithmetic.subtract(inputs.voutMax, inputs.voutMin);
    const double maxTimes256 = arithmetic.multiply(inputs.voutMax, 256.0);
    const double r1Divisor = arithmetic.subtract(maxTimes256, inputs.voutMin);
    const double r1Share = arithmetic.divide(span, r1Divisor, r1DivisorZeroMessage());
    const double rsetScale = arithmetic.multiply(inputs.rset, 5120.0);
    results.r1 = arithmetic.multiply(r1Share, rsetScale);
    if (arithmetic.fault()) {
        return *arithmetic.fault();
    }

    // R2 = (VOUTmax − VOUTmin) / (AVDD × 255 + VOUTmin − VOUTmax × 256) × (RSET × 5120); the span,
    // VOUTmax × 256 and RSET × 5120 are the same values R1 used.
    arithmetic.computing(QStringLiteral("R2"));
    const double avddTimes255 = arithmetic.multiply(inputs.avdd, 255.0);
    const double headroomSum = arithmetic.add(avddTimes255, inputs.voutMin);
    const double r2Divisor = arithmetic.subtract(headroomSum, maxTimes256);
    const double r2Share = arithmetic.divide(span, r2Divisor, r2DivisorZeroMessage());
    results.r2 = arithmetic.multiply(r2Share, rsetScale);
    if (arithmetic.fault()) {
        return *arithmetic.fault();
    }

    // VCOM = (1 − N × R1 / (RSET × 5120)) × (R2 / (R2 + R1) × AVDD)
    arithmetic.computing(QStringLiteral("VCOM"));
    const Divider divider{inputs.avdd, inputs.rset, results.r1, results.r2};
    const double drawn = arithmetic.multiply(n, results.r1);
    results.vcom = loadedNodeVoltage(arithmetic, divider, drawn, 5120.0, zeroSumMessage());
    if (arithmetic.fault()) {
        return *arithmetic.fault();
    }
    return results;
}

}  // namespace vcm::calc
