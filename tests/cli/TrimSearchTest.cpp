#include "cli/SimulatedVcom.h"
#include "cli/Trim.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace vcm {
namespace {

/// The value a sweep of all 256 values picks: the nearest, the lower one of two equally near.
std::uint8_t bruteForce(const std::function<double(std::uint8_t)>& vcomOf, double target) {
    std::uint8_t best = 0;
    for (int value = 1; value <= 255; ++value) {
        const auto v = static_cast<std::uint8_t>(value);
        if (std::abs(vcomOf(v) - target) < std::abs(vcomOf(best) - target)) {
            best = v;
        }
    }
    return best;
}

/// The board +3 % off the model, measured as the simulated meter prints it.
double measuredAt(std::uint8_t value) {
    return simulatedMeasurementText(simulatedVcom(value, 3.0)).toDouble();
}

TEST(ClosedLoopSearch, FindsTheSweepsValueInTenMeasurementsOverTheWholeRange) {
    const double top = measuredAt(0);
    const double bottom = measuredAt(255);
    // Every measured value itself, and the points a quarter and a half of a step beside it.
    std::vector<double> targets;
    for (int value = 0; value <= 255; ++value) {
        const auto v = static_cast<std::uint8_t>(value);
        targets.push_back(measuredAt(v));
        if (value < 255) {
            const double next = measuredAt(static_cast<std::uint8_t>(value + 1));
            targets.push_back(measuredAt(v) + (next - measuredAt(v)) * 0.25);
            targets.push_back((measuredAt(v) + next) / 2.0);
        }
    }
    for (const double target : targets) {
        std::map<int, int> timesMeasured;
        const ClosedLoopResult result = nearestByMeasurement(target, [&](std::uint8_t value) {
            ++timesMeasured[value];
            return measuredAt(value);
        });
        ASSERT_FALSE(result.outside) << target;
        EXPECT_EQ(result.best.value, bruteForce(measuredAt, target)) << target;
        EXPECT_EQ(result.best.vcom, measuredAt(result.best.value)) << target;
        EXPECT_LE(result.measurements.size(), 10U) << target;
        EXPECT_EQ(result.measurements.size(), timesMeasured.size()) << "a value measured twice, " << target;
        EXPECT_EQ(result.range.max, top);
        EXPECT_EQ(result.range.min, bottom);
    }
}

TEST(ClosedLoopSearch, ATargetOutsideTheMeasuredRangeStopsAfterTheEnds) {
    for (const double target : {measuredAt(0) + 0.001, measuredAt(255) - 0.001}) {
        const ClosedLoopResult result = nearestByMeasurement(target, measuredAt);
        EXPECT_TRUE(result.outside) << target;
        ASSERT_EQ(result.measurements.size(), 2U);
        EXPECT_EQ(result.measurements[0].value, 0);
        EXPECT_EQ(result.measurements[1].value, 255);
    }
}

TEST(ClosedLoopSearch, OfTwoEquallyNearValuesTheLowerOne) {
    // A curve in whole millivolts: 255 mV at 0 down to 0 mV at 255; 100.5 mV lies between 155 and 154.
    const auto millivolts = [](std::uint8_t value) { return (255 - value) / 1000.0; };
    const ClosedLoopResult result = nearestByMeasurement(0.1005, millivolts);
    EXPECT_EQ(result.best.value, 154);
    EXPECT_EQ(bruteForce(millivolts, 0.1005), 154);
}

TEST(ModelSearch, NearestPredictedValueOnTheDefaultDivider) {
    const ForwardInputs divider{8.0, 10000.0, 83000.0, 133000.0, 0};
    struct Case {
        double target;
        int value;
    };
    // The ends of the range, the worked example's VCOM at 80, and points just beside them.
    const Case cases[] = {{4.91794053819444, 0}, {4.9179, 0},      {2.88166666666667, 255},
                          {2.8817, 255},         {3.8958109, 128}, {3.8958, 128}};
    for (const Case& c : cases) {
        const auto result = nearestByModel(divider, c.target);
        ASSERT_TRUE(std::holds_alternative<DcpPoint>(result)) << c.target;
        EXPECT_EQ(std::get<DcpPoint>(result).value, c.value) << c.target;
    }
}

}  // namespace
}  // namespace vcm
