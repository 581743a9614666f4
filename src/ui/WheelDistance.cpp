#include "ui/WheelDistance.h"

#include <cmath>

namespace vcm::ui {

std::int32_t wheelDistanceFromWParam(std::int32_t wParam) {
    // The quotient is at most 32768 in magnitude, so it always fits; nearbyint rounds halves to even in
    // the default rounding mode.
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(wParam) / 65536.0));
}

}  // namespace vcm::ui
