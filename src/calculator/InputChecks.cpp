#include "calculator/InputChecks.h"

#include <cmath>

namespace vcm::calc {
namespace {

QString avddMessage() {
    return QStringLiteral("AVDD needs to be non-zero");
}
QString rsetMessage() {
    return QStringLiteral("Rset needs to be greater than 0");
}

}  // namespace

ForwardCheckOutcome checkForwardInputs(ForwardInputs& inputs) {
    ForwardCheckOutcome outcome;
    if (!(inputs.avdd > 0.0)) {
        inputs.avdd = kDefaultAvdd;
        outcome.corrections.push_back({avddMessage(), {{CalculatorInput::AVDD, kDefaultAvdd}}});
    }
    if (!(inputs.rset > 0.0)) {
        inputs.rset = kDefaultRset;
        outcome.corrections.push_back({rsetMessage(), {{CalculatorInput::RSET, kDefaultRset}}});
    }
    const double sum = inputs.r1 + inputs.r2;
    if (!std::isfinite(sum)) {
        // The test itself cannot be evaluated, so no warning comes before the fault.
        outcome.fault =
            ArithmeticFault{QStringLiteral("R1 + R2 is too large to compute with these values.\r\n"
                                           "Please check R1 and R2 for values that are far too large.")};
        return outcome;
    }
    if (!(sum > 0.0)) {
        outcome.corrections.push_back({QStringLiteral("R1+R2 is less than 0?"), {}});
    }
    return outcome;
}

std::vector<InputCorrection> checkReverseInputs(ReverseInputs& inputs) {
    std::vector<InputCorrection> corrections;
    if (!(inputs.avdd > 0.0)) {
        inputs.avdd = kDefaultAvdd;
        corrections.push_back({avddMessage(), {{CalculatorInput::AVDD, kDefaultAvdd}}});
    }
    if (inputs.voutMax > inputs.avdd) {
        inputs.voutMax = inputs.avdd;
        corrections.push_back(
            {QStringLiteral("VOUTmax cannot exceed AVDD"), {{CalculatorInput::VoutMax, inputs.avdd}}});
    }
    if (!(inputs.voutMin < inputs.voutMax)) {
        inputs.voutMax = inputs.avdd;
        inputs.voutMin = kDefaultVoutMin;
        corrections.push_back(
            {QStringLiteral("VOUTmin must be lower than VOUTmax"),
             {{CalculatorInput::VoutMax, inputs.avdd}, {CalculatorInput::VOutMin, kDefaultVoutMin}}});
    }
    if (!(inputs.rset > 0.0)) {
        inputs.rset = kDefaultRset;
        corrections.push_back({rsetMessage(), {{CalculatorInput::RSET, kDefaultRset}}});
    }
    return corrections;
}

}  // namespace vcm::calc
