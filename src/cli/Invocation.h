#pragma once

#include "adapter/selection/AdapterOptions.h"
#include "adapter/sim/SimFault.h"
#include "calculator/ForwardCalculation.h"
#include "calculator/ReverseCalculation.h"
#include "cli/Meter.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace vcm::cli {

enum class Command { Read, Send, Program, CalcForward, CalcReverse, Trim, Sweep, SimMeasure };

/// The simulated board's options beyond the shared --eeprom.
struct SimOptions {
    QString stateFile;                       ///< --sim-state: where the board lives between runs
    std::optional<double> vcomErrorPercent;  ///< --sim-vcom-error: how far its VCOM is off the model
    adapter::SimFault fault = adapter::SimFault::None;  ///< --sim-fault
    std::optional<double> vcomOffsetMv;                 ///< --sim-vcom-offset: millivolts added to its VCOM
    /// --sim-step HH:MV: the VCOM steps by MV millivolts from value HH on.
    std::optional<std::pair<std::uint8_t, double>> step;
    bool powerCycle = false;   ///< --sim-power-cycle: the kept board powers on again
    bool eepromGiven = false;  ///< --eeprom was given (not only its default)
};

/// One run of the tool, as its command line asks for it. Values left out hold what the window shows
/// once it has started.
struct Invocation {
    Command command = Command::Read;
    bool json = false;
    adapter::AdapterOptions adapter;
    SimOptions sim;

    std::uint8_t value = 0;  ///< send, program: the VALUE
    bool decimal = false;    ///< --dec: DCP values are read and written in decimal

    calc::ForwardInputs forward;  ///< calc forward and trim (its d is --dcp)
    calc::ReverseInputs reverse;  ///< calc reverse (its d is --dcp)

    double targetVcom = 0.0;          ///< trim --vcom
    bool program = false;             ///< trim --program
    std::optional<double> tolerance;  ///< trim --tolerance in volts; unset for one model step
    MeterOptions meter;               ///< trim, sweep: --measure or --meter; none for the model alone
    int settleMs = 0;                 ///< trim, sweep --settle: wait after each send before measuring
    int average = 1;                  ///< trim, sweep --average: measurements per value, their mean
    QString logFile;                  ///< trim --log: the station log, one JSON line per trim
    QString boardId;                  ///< trim --board-id
    std::optional<double> sweepVcom;  ///< sweep --vcom: the value nearest it is marked
    std::uint8_t from = 0x00;         ///< sweep --from
    std::uint8_t to = 0xFF;           ///< sweep --to
    QString csvFile;                  ///< sweep --csv
    QString svgFile;                  ///< sweep --svg
    QString toolVersion;              ///< for the station log
};

}  // namespace vcm::cli
