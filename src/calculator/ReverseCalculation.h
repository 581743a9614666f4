#pragma once

#include "calculator/CheckedArithmetic.h"

#include <cstdint>
#include <variant>

namespace vcm::calc {

/// The inputs of the reverse calculation: the supply, RSET, the wanted output range and the DCP value.
struct ReverseInputs {
    double avdd = 0.0;
    double rset = 0.0;
    double voutMax = 0.0;
    double voutMin = 0.0;
    std::uint8_t d = 0;
};

/// What the reverse calculation works out: IOUT and VRSET for D, the divider resistors that give the wanted
/// range, and the VCOM node voltage those resistors give at D.
struct ReverseResults {
    double ioutMilliamps = 0.0;
    double vrset = 0.0;
    double r1 = 0.0;
    double r2 = 0.0;
    double vcom = 0.0;
};

/// The reverse calculation from a wanted range to resistor values, in the order IOUT, VRSET, R1, R2, VCOM.
/// Either every result, or the first arithmetic fault (a divisor of R1 or R2 exactly 0, an overflow).
std::variant<ReverseResults, ArithmeticFault> computeReverse(const ReverseInputs& inputs);

}  // namespace vcm::calc
