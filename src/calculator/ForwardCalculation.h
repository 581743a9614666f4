#pragma once

#include "calculator/CheckedArithmetic.h"

#include <cstdint>
#include <variant>

namespace vcm::calc {

/// The inputs of the forward calculation, as read from the calculator's fields and the DCP value box.
struct ForwardInputs {
    double avdd = 0.0;
    double rset = 0.0;
    double r1 = 0.0;
    double r2 = 0.0;
    std::uint8_t d = 0;
};

/// What the forward calculation works out: the current drawn from the divider, the voltage at the top of
/// RSET, the VCOM node voltage for D, and the output range (VCOM at D = 255 and at D = 0).
struct ForwardResults {
    double ioutMilliamps = 0.0;
    double vrset = 0.0;
    double vcom = 0.0;
    double voutMin = 0.0;
    double voutMax = 0.0;
};

/// The forward calculation from resistor values to voltages, in the order IOUT, VRSET, VCOM, VOUTmin,
/// VOUTmax. Either every result, or the first arithmetic fault (R1 + R2 exactly 0, an overflow), since a
/// partial result must never reach the fields.
std::variant<ForwardResults, ArithmeticFault> computeForward(const ForwardInputs& inputs);

}  // namespace vcm::calc
