#include "cli/CalcChecks.h"

#include "cli/CommandFailure.h"

#include <variant>

namespace vcm {

void failOnCorrections(const std::vector<InputCorrection>& corrections) {
    if (!corrections.empty()) {
        throw CommandFailure{exitUsage, corrections.front().message};
    }
}

ForwardResults checkedForward(const ForwardInputs& given, const CalcWarning& warn) {
    ForwardInputs inputs = given;
    const ForwardCheckOutcome checks = checkForwardInputs(inputs);
    for (const InputCorrection& correction : checks.corrections) {
        // A correction that resets nothing is a warning: the window shows it and computes on.
        if (!correction.resets.empty() || !warn) {
            throw CommandFailure{exitUsage, correction.message};
        }
        warn(correction.message);
    }
    if (checks.fault) {
        throw CommandFailure{exitFailed, checks.fault->message};
    }
    const auto outcome = computeForward(inputs);
    if (const auto* fault = std::get_if<ArithmeticFault>(&outcome)) {
        throw CommandFailure{exitFailed, fault->message};
    }
    return std::get<ForwardResults>(outcome);
}

}  // namespace vcm
