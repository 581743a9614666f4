#pragma once

#include "calculator/ForwardCalculation.h"
#include "calculator/InputChecks.h"

#include <QString>

#include <functional>
#include <vector>

namespace vcm::cli {

/// The calculator's checks as the tool applies them: where the window shows a check's message and
/// carries on with a corrected value, the tool stops with that message as a usage error (exit 2), since
/// an option the user gave must not be silently replaced.
void failOnCorrections(const std::vector<calc::InputCorrection>& corrections);

/// Receives a check's message when the window would show it and go on with the values as they are.
using CalcWarning = std::function<void(const QString& message)>;

/// The forward calculation after its checks; a failed check throws a usage error, an arithmetic fault a
/// failure (exit 1). A check that only warns (R1 + R2 not above 0) goes to `warn` and the calculation goes
/// on, as in the window; without `warn` it too is a usage error (a trim must not send a value worked out
/// from such a divider).
calc::ForwardResults checkedForward(const calc::ForwardInputs& inputs, const CalcWarning& warn = {});

}  // namespace vcm::cli
