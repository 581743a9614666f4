#pragma once

#include <QString>

#include <cstdint>

namespace vcm {

/// The VCOM the simulated board puts out for a DCP value: the forward model of the evaluation board's
/// divider (AVDD 8 V, RSET 10000, R1 83000, R2 133000), off by `errorPercent` (+3 makes it 3 % higher),
/// as a real board's resistor tolerances would make it.
double simulatedVcom(std::uint8_t value, double errorPercent);

/// What the simulated multimeter prints for it: volts with six decimals.
QString simulatedMeasurementText(double volts);

}  // namespace vcm
