#pragma once

#include <cstdint>

namespace vcm::calc {

/// Where the VCOM marker stands for a DCP value, in twips within the calculator frame: the top of the
/// VCOM box and its label, and the height of the pointer line.
struct VcomMarkerPosition {
    int top = 0;
    int lineY = 0;
};

/// The marker's offset below its D = 0 place: D × 7.52941 rounded to the nearest integer, a half to the
/// even neighbour. The factor is this decimal constant (not 1920 / 255), which still puts D = 255 at 1920,
/// on the bottom tick of the scale.
int vcomMarkerOffset(std::uint8_t d);

/// The marker for D: the box and label at 720 + offset, the pointer at 840 + offset.
VcomMarkerPosition vcomMarkerPosition(std::uint8_t d);

}  // namespace vcm::calc
