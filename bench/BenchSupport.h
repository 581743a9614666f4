#pragma once

#include "WindowFixture.h"
#include "adapter/sim/SimulatedAdapter.h"

namespace vcm::bench {

/// The simulated board at power-on; a base of BenchWindow, so that it is built before the window.
struct SimulatedBoard {
    adapter::SimulatedAdapter board{adapter::SimulatedChip(0x80)};
};

/// The real main window on the simulated board, not shown. Message boxes are answered at once (OK, or No
/// to a question) and pauses recorded, not slept: the figures are the program's own work.
struct BenchWindow : SimulatedBoard, test::WindowFixture {
    BenchWindow() : WindowFixture(board) {}
};

}  // namespace vcm::bench
