#pragma once

#include <QString>

#include <cstdint>

namespace vcm::adapter {

/// How far a simulated board's VCOM is off the divider model: a real board's resistor tolerances (a
/// gain error in percent and an offset in millivolts), and optionally a step of some millivolts from one
/// DCP value on, as a board with a fault in its DCP has.
struct SimulatedVcomShape {
    double errorPercent = 0.0;  ///< +3 makes the VCOM 3 % higher
    double offsetMv = 0.0;      ///< added after the gain error
    int stepFrom = -1;          ///< the first value with the step, or -1 for none
    double stepMv = 0.0;        ///< the step, added from `stepFrom` on

    friend bool operator==(const SimulatedVcomShape&, const SimulatedVcomShape&) = default;
};

/// The VCOM the simulated board puts out for a DCP value: the forward model of the evaluation board's
/// divider (AVDD 8 V, RSET 10000, R1 83000, R2 133000), shaped by `shape`.
double simulatedVcom(std::uint8_t value, const SimulatedVcomShape& shape);
/// The same with a gain error alone.
double simulatedVcom(std::uint8_t value, double errorPercent);

/// What the simulated multimeter prints for it: volts with six decimals.
QString simulatedMeasurementText(double volts);

}  // namespace vcm::adapter
