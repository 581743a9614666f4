#pragma once

#include "calculator/ForwardCalculation.h"
#include "calculator/InputChecks.h"

#include <vector>

namespace vcm {

/// The calculator's checks as the tool applies them: where the window shows a check's message and
/// carries on with a corrected value, the tool stops with that message as a usage error (exit 2), since
/// an option the user gave must not be silently replaced.
void failOnCorrections(const std::vector<InputCorrection>& corrections);

/// The forward calculation after its checks; a failed check throws a usage error, an arithmetic fault a
/// failure (exit 1).
ForwardResults checkedForward(const ForwardInputs& inputs);

}  // namespace vcm
