#pragma once

#include <cstdint>

namespace vcm::ui {

/// The wheel distance carried by a native wheel message's wParam: the signed 32-bit word divided by 65536
/// and rounded to the nearest integer, halves to even. The low word holds only key-state flags (below
/// 0x8000), so this is the signed high word: one notch is 120, positive away from the user.
std::int32_t wheelDistanceFromWParam(std::int32_t wParam);

}  // namespace vcm::ui
