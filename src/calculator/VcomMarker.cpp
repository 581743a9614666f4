#include "calculator/VcomMarker.h"

#include "dcp/NumericValue.h"

namespace vcm::calc {
namespace {

constexpr double kTwipsPerStep = 7.52941;
constexpr int kTopAtZero = 720;
constexpr int kLineYAtZero = 840;

}  // namespace

int vcomMarkerOffset(std::uint8_t d) {
    return static_cast<int>(dcp::roundHalfEven(d * kTwipsPerStep));
}

VcomMarkerPosition vcomMarkerPosition(std::uint8_t d) {
    const int offset = vcomMarkerOffset(d);
    return VcomMarkerPosition{kTopAtZero + offset, kLineYAtZero + offset};
}

}  // namespace vcm::calc
