#include "QtPrinters.h"
#include "station/report/ReportPlot.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <numeric>

namespace vcm::test {
namespace {

TEST(ReportPlot, BinsTheErrorsAroundTheTolerance) {
    struct Case {
        const char* name;
        std::vector<double> errors;
        std::optional<double> tolerance;
        double from, width;
        std::size_t bins;
        qint64 below, above;
    };
    const Case cases[] = {
        {"none", {}, 0.005, 0, 0, 0, 0, 0},
        // The range takes in 1.25 tolerances either side, in 0.5 mV bins (40 would be 0.3125 mV).
        {"inside the tolerance", {0.001, -0.002}, 0.005, -0.0065, 0.0005, 26, 0, 0},
        // Errors beyond 4 tolerances are counted beside the range and do not stretch it.
        {"far off", {0.001, 0.5, -0.03}, 0.005, -0.0065, 0.0005, 26, 1, 1},
        {"beyond the tolerance", {0.015, -0.0001}, 0.005, -0.007, 0.001, 22, 0, 0},
        // Model trims alone have no tolerance: the range is the errors', a millivolt for equal ones.
        {"no tolerance", {0.0002, 0.0002}, std::nullopt, -0.0003, 0.000025, 40, 0, 0},
        {"no tolerance, spread", {-0.01, 0.03}, std::nullopt, -0.01, 0.001, 40, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const station::report::Histogram h = station::report::histogramOf(c.errors, c.tolerance);
        EXPECT_NEAR(h.from, c.from, 1e-12);
        EXPECT_NEAR(h.width, c.width, 1e-15);
        EXPECT_EQ(h.bins.size(), c.bins);
        EXPECT_EQ(h.below, c.below);
        EXPECT_EQ(h.above, c.above);
        // Every error is in a bin or counted beside the range.
        EXPECT_EQ(std::accumulate(h.bins.begin(), h.bins.end(), qint64{0}) + h.below + h.above,
                  static_cast<qint64>(c.errors.size()));
    }
}

TEST(ReportPlot, ThePictureMarksTheToleranceAndCountsWhatLiesOutside) {
    const QString svg = station::report::errorHistogramSvg({0.001, 0.0012, -0.002, 0.5},
                                                           station::report::CommonTolerance{0.005, 3, 4});
    EXPECT_TRUE(svg.startsWith(QStringLiteral("<?xml")));
    EXPECT_TRUE(svg.endsWith(QStringLiteral("</svg>\n")));
    EXPECT_TRUE(
        svg.contains(QStringLiteral("Final error of 4 attempts, 0 below and 1 above the range shown")));
    EXPECT_TRUE(svg.contains(QStringLiteral("tolerance \u00b15 mV (3 of the 4 attempts judged with one)")));
    // Two bars (1 to 1.5 mV holds two errors), two dashed tolerance lines.
    EXPECT_EQ(svg.count(QRegularExpression(QStringLiteral("<rect x=[^>]*><title>"))), 2);
    EXPECT_TRUE(svg.contains(QStringLiteral("<title>1 to 1.5 mV: 2</title>")));
    EXPECT_EQ(svg.count(QStringLiteral("stroke-dasharray")), 2);
}

}  // namespace
}  // namespace vcm::test
