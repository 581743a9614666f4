#pragma once

#include "adapter/sim/SimFault.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

namespace vcm::adapter {

/// The simulated board's options beyond the shared --eeprom: where it is kept between runs, how its VCOM
/// is off the divider model, and the fault it is told to have.
struct SimOptions {
    QString stateFile;                       ///< --sim-state: where the board lives between runs
    std::optional<double> vcomErrorPercent;  ///< --sim-vcom-error: how far its VCOM is off the model
    SimFault fault = SimFault::None;         ///< --sim-fault
    std::optional<double> vcomOffsetMv;      ///< --sim-vcom-offset: millivolts added to its VCOM
    /// --sim-step HH:MV: the VCOM steps by MV millivolts from value HH on.
    std::optional<std::pair<std::uint8_t, double>> step;
    bool powerCycle = false;   ///< --sim-power-cycle: the kept board powers on again
    bool eepromGiven = false;  ///< --eeprom was given (not only its default)
};

}  // namespace vcm::adapter
