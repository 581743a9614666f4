#include "cli/commands/CalcChecks.h"

#include "cli/commands/CommandFailure.h"

#include <variant>

namespace vcm::cli {

void failOnCorrections(const std::vector<calc::InputCorrection>& corrections) {
    if (!corrections.empty()) {
        throw CommandFailure{kExitUsage, corrections.front().message};
    }
}

calc::ForwardResults checkedForward(const calc::ForwardInputs& given, const CalcWarning& warn) {
    calc::ForwardInputs inputs = given;
    const calc::ForwardCheckOutcome checks = checkForwardInputs(inputs);
    for (const calc::InputCorrection& correction : checks.corrections) {
        // A correction that resets nothing is a warning: the window shows it and computes on.
        if (!correction.resets.empty() || !warn) {
            throw CommandFailure{kExitUsage, correction.message};
        }
        warn(correction.message);
    }
    if (checks.fault) {
        throw CommandFailure{kExitFail, checks.fault->message};
    }
    const auto outcome = calc::computeForward(inputs);
    if (const auto* fault = std::get_if<calc::ArithmeticFault>(&outcome)) {
        throw CommandFailure{kExitFail, fault->message};
    }
    return std::get<calc::ForwardResults>(outcome);
}

}  // namespace vcm::cli
