#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace vcm::station {

/// One value of a sweep: the model's VCOM, and the measured one when a meter was used.
struct SweepRow {
    std::uint8_t value = 0;
    double model = 0.0;
    std::optional<double> measured;
};

/// The sweep as CSV: a header line, then one line per value ("7D,125,3.9207,3.95").
QString sweepCsv(const std::vector<SweepRow>& rows);

/// The sweep as a plain SVG picture that a browser shows: VCOM over the DCP value, the model as a line,
/// the measurements as points, and `chosen` (if any) marked with its value.
QString sweepSvg(const std::vector<SweepRow>& rows, std::optional<std::uint8_t> chosen);

}  // namespace vcm::station
