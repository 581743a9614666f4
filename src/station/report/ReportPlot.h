#pragma once

// The final error of a report's attempts as a histogram, with the tolerance marked: a plain SVG picture.

#include "station/report/StationReport.h"

#include <QString>

#include <optional>
#include <vector>

namespace vcm::station::report {

/// Final errors counted in bins of equal width.
struct Histogram {
    double from = 0.0;   ///< the first bin's lower edge, volts
    double width = 0.0;  ///< each bin's width, volts: 1, 2, 2.5 or 5 times a power of ten
    std::vector<qint64> bins;
    qint64 below = 0;  ///< errors left of the range, counted but not drawn
    qint64 above = 0;  ///< errors right of it

    /// The lower edge of bin `index` (the upper edge of the last one at bins.size()), a whole multiple of
    /// the width.
    double edge(std::size_t index) const;
};

/// Bins `errors` (volts) in at most 40 bins over their range. With a tolerance T the range takes in
/// ±1.25 T and the errors within ±4 T; those beyond are counted beside it, so that a board far off does
/// not squeeze the rest into one bar. No bins without errors.
Histogram histogramOf(const std::vector<double>& errors, std::optional<double> tolerance);

/// The histogram of `errors` as an SVG picture that a browser shows: bars of attempts over the final
/// error in millivolts, zero and the tolerance (when given) marked, the errors outside the range counted.
QString errorHistogramSvg(const std::vector<double>& errors, std::optional<CommonTolerance> tolerance);

}  // namespace vcm::station::report
