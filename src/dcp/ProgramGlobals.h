#pragma once

#include <cstdint>

namespace vcm::dcp {

/// The program's Booleans are 16-bit integers with True = -1 and False = 0.
using VbBoolean = std::int16_t;
inline constexpr VbBoolean kVbTrue = -1;
inline constexpr VbBoolean kVbFalse = 0;

/// The three program-wide values shared by the window and the code behind it. One instance is
/// owned by the main window and handed by reference to whatever reads or writes them.
struct ProgramGlobals {
    std::int16_t selectedModule = 0;          ///< adapter module of every library call; always 0
    VbBoolean displayHex = kVbFalse;          ///< True while DCP values show as hexadecimal
    VbBoolean sendOnSliderChange = kVbFalse;  ///< True while a slider change sends to the chip
};

}  // namespace vcm::dcp
