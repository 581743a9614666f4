#include "cli/Trim.h"

#include <cmath>

namespace vcm {

std::variant<DcpPoint, ArithmeticFault> nearestByModel(const ForwardInputs& divider, double target) {
    DcpPoint best;
    double bestDistance = INFINITY;
    for (int value = 0; value <= 255; ++value) {
        ForwardInputs inputs = divider;
        inputs.d = static_cast<std::uint8_t>(value);
        const auto outcome = computeForward(inputs);
        if (const auto* fault = std::get_if<ArithmeticFault>(&outcome)) {
            return *fault;
        }
        const double vcom = std::get<ForwardResults>(outcome).vcom;
        // Strictly nearer only: of two equally near values the lower one stays.
        if (std::abs(vcom - target) < bestDistance) {
            bestDistance = std::abs(vcom - target);
            best = {inputs.d, vcom};
        }
    }
    return best;
}

ClosedLoopResult nearestByMeasurement(double target, const MeasureAt& measureAt) {
    ClosedLoopResult result;
    const auto measure = [&](int value) {
        const DcpPoint point{static_cast<std::uint8_t>(value), measureAt(static_cast<std::uint8_t>(value))};
        result.measurements.push_back(point);
        return point;
    };
    DcpPoint above = measure(0);
    DcpPoint below = measure(255);
    result.range = {below.vcom, above.vcom};
    if (target > above.vcom || target < below.vcom) {
        result.outside = true;
        return result;
    }
    if (above.vcom <= target) {
        result.best = above;  // the target is the top of the range itself
        return result;
    }
    // From here on: VCOM at `above` is higher than the target, at `below` it is not.
    while (below.value - above.value > 1) {
        const DcpPoint middle = measure((above.value + below.value) / 2);
        (middle.vcom <= target ? below : above) = middle;
    }
    result.best = (above.vcom - target <= target - below.vcom) ? above : below;
    return result;
}

}  // namespace vcm
