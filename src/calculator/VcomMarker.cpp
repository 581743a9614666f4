#include "calculator/VcomMarker.h"

#include "dcp/NumericValue.h"

namespace vcm::calc {
namespace {

constexpr double twipsPerStep = 7.52941;
constexpr int topAtZero = 720;
constexpr int lineYAtZero = 840;

}  // namespace

int vcomMarkerOffset(std::uint8_t d) {
    return static_cast<int>(dcp::roundHalfEven(d * twipsPerStep));
}

VcomMarkerPosition vcomMarkerPosition(std::uint8_t d) {
    const int offset = vcomMarkerOffset(d);
    return VcomMarkerPosition{topAtZero + offset, lineYAtZero + offset};
}

}  // namespace vcm::calc
