#pragma once

#include "calculator/CheckedArithmetic.h"
#include "calculator/ForwardCalculation.h"

#include <cstdint>
#include <functional>
#include <variant>
#include <vector>

namespace vcm {

/// A DCP value and the VCOM it gives (predicted or measured).
struct DcpPoint {
    std::uint8_t value = 0;
    double vcom = 0.0;
};

/// The reachable range of the divider: VCOM at DCP 255 and at DCP 0.
struct VcomRange {
    double min = 0.0;
    double max = 0.0;
};

/// The DCP value whose VCOM, predicted by the forward model of `divider` (its `d` is ignored), is nearest
/// `target`; of two equally near the lower value. Or the model's arithmetic fault.
std::variant<DcpPoint, ArithmeticFault> nearestByModel(const ForwardInputs& divider, double target);

/// Sends a value and returns the VCOM measured with it; throws when the send or the measurement fails.
using MeasureAt = std::function<double(std::uint8_t value)>;

/// What the closed loop found.
struct ClosedLoopResult {
    DcpPoint best;                       ///< meaningless when `outside`
    std::vector<DcpPoint> measurements;  ///< every measurement, in the order taken
    VcomRange range;                     ///< the measured VCOM at 255 and at 0
    bool outside = false;                ///< the target lies outside `range`; nothing was searched
};

/// The closed loop: the value whose measured VCOM is nearest `target`, using that VCOM falls as the value
/// rises. Measures both ends first (the reachable range), then halves the span between a value whose VCOM
/// is above the target and one at or below it: 2 + 8 = 10 measurements at most. Of two equally near, the
/// lower value.
ClosedLoopResult nearestByMeasurement(double target, const MeasureAt& measureAt);

}  // namespace vcm
