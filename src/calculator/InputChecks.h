#pragma once

#include "calculator/CheckedArithmetic.h"
#include "calculator/ForwardCalculation.h"
#include "calculator/ReverseCalculation.h"

#include <QString>

#include <optional>
#include <vector>

namespace vcm::calc {

/// The calculator inputs that a failed range check puts back.
enum class CalculatorInput { AVDD, RSET, VoutMax, VOutMin };

/// One field rewritten after a check's message: the field and the value it now stands for.
struct InputReset {
    CalculatorInput field;
    double value;
};

/// A failed check: its message (shown first, with an OK button) and the fields it resets afterwards.
struct InputCorrection {
    QString message;
    std::vector<InputReset> resets;
};

/// The outcome of the forward checks: their corrections in order, and a fault if the sum R1 + R2 that the
/// last check tests overflowed (the calculation then stops after the earlier corrections).
struct ForwardCheckOutcome {
    std::vector<InputCorrection> corrections;
    std::optional<ArithmeticFault> fault;
};

inline constexpr double kDefaultAvdd = 8.0;
inline constexpr double kDefaultRset = 10000.0;
inline constexpr double kDefaultVoutMin = 0.0;

/// The forward checks, each seeing what the one before corrected: AVDD not above 0 (reset to 8), RSET not
/// above 0 (reset to 10000), R1 + R2 not above 0 (a warning only; the values stay). Corrects `inputs`.
ForwardCheckOutcome checkForwardInputs(ForwardInputs& inputs);

/// The reverse checks, in order: AVDD not above 0 (reset to 8); VOUTmax above AVDD (VOUTmax = AVDD);
/// VOUTmin not below VOUTmax (the full range AVDD..0); RSET not above 0 (reset to 10000). Corrects `inputs`.
std::vector<InputCorrection> checkReverseInputs(ReverseInputs& inputs);

}  // namespace vcm::calc
