#include "calculator/DividerFormulas.h"

namespace vcm::calc {

double ioutMilliamps(CheckedArithmetic& arithmetic, double avdd, double rset, double n) {
    const double rsetTimes20 = arithmetic.multiply(rset, 20.0);
    const double perStep = arithmetic.divide(avdd, rsetTimes20, rsetZeroMessage());
    const double share = arithmetic.divide(n, 256.0);
    const double amperes = arithmetic.multiply(perStep, share);
    return arithmetic.multiply(amperes, 1000.0);
}

double vrsetVolts(CheckedArithmetic& arithmetic, double ioutMilliamps, double rset) {
    const double amperes = arithmetic.divide(ioutMilliamps, 1000.0);
    return arithmetic.multiply(amperes, rset);
}

double loadedNodeVoltage(CheckedArithmetic& arithmetic, const Divider& divider, double drawn,
                         double rsetFactor, const QString& zeroSumMessage) {
    const double rsetScaled = arithmetic.multiply(divider.rset, rsetFactor);
    const double drop = arithmetic.divide(drawn, rsetScaled, rsetZeroMessage());
    const double loadFactor = arithmetic.subtract(1.0, drop);
    const double sum = arithmetic.add(divider.r2, divider.r1);
    const double ratio = arithmetic.divide(divider.r2, sum, zeroSumMessage);
    const double openCircuit = arithmetic.multiply(ratio, divider.avdd);
    return arithmetic.multiply(loadFactor, openCircuit);
}

QString rsetZeroMessage() {
    return QStringLiteral(
        "RSET is 0, so no current through it can be worked out.\r\n"
        "RSET must be greater than 0.");
}

}  // namespace vcm::calc
