#include "adapter/sim/SimulatedVcom.h"
#include "station/TrimSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace vcm::test {
namespace {

const calc::ForwardInputs kDivider{8.0, 10000.0, 83000.0, 133000.0, 0};

station::ModelLine defaultModel() {
    return std::get<station::ModelLine>(station::modelLineOf(kDivider));
}

double modelVcom(int value) {
    return adapter::simulatedVcom(static_cast<std::uint8_t>(value), 0.0);
}

/// A board as a line engineer meets it: the model with a gain error and an offset, perhaps a step where
/// the VCOM jumps by some millivolts from one value on, perhaps a millivolt of meter noise, perhaps wired
/// the wrong way round or not at all, perhaps an output that saturates or a DCP that stops moving.
struct Board {
    const char* name;
    double gainPercent = 0.0;
    double offsetMv = 0.0;
    int stepFrom = -1;
    double stepMv = 0.0;
    bool noise = false;
    bool reversed = false;
    bool flat = false;
    double saturatesAt = 0.0;  ///< the output goes no higher than this, when above 0
    int stopsAt = 256;         ///< the DCP goes no further than this value

    double operator()(std::uint8_t code) const {
        const int value = std::min(reversed ? 255 - code : static_cast<int>(code), stopsAt);
        double vcom = flat ? 4.0 : modelVcom(value) * (1.0 + gainPercent / 100.0) + offsetMv / 1000.0;
        if (stepFrom >= 0 && value >= stepFrom) {
            vcom += stepMv / 1000.0;
        }
        if (saturatesAt > 0.0) {
            vcom = std::min(vcom, saturatesAt);
        }
        if (noise) {
            // The same reading each time a value is measured, so the search and the sweep see one board.
            vcom += ((code * 2654435761U) % 2001U - 1000.0) / 1e6;
        }
        return vcom;
    }
};

/// The value a sweep of all 256 values picks: the nearest, the lower one of two equally near.
int sweepBest(const Board& board, double target) {
    int best = 0;
    for (int value = 1; value <= 255; ++value) {
        if (std::abs(board(static_cast<std::uint8_t>(value)) - target) <
            std::abs(board(static_cast<std::uint8_t>(best)) - target)) {
            best = value;
        }
    }
    return best;
}

/// Targets over the board's whole reach: every fifth value's VCOM, and a quarter and a half step beside it.
std::vector<double> targetsOn(const Board& board) {
    std::vector<double> targets;
    for (int value = 0; value < 255; value += 5) {
        const double here = board(static_cast<std::uint8_t>(value));
        const double next = board(static_cast<std::uint8_t>(value + 1));
        targets.insert(targets.end(), {here, here + (next - here) * 0.25, (here + next) / 2.0});
    }
    return targets;
}

station::ClosedLoopResult search(const Board& board, double target, station::SearchStrategy strategy,
                                 double tolerance = 1.0) {
    return nearestByMeasurement(target, defaultModel(), tolerance, board, strategy);
}

const Board kGoodBoards[] = {
    {"the model itself"},
    {"gain +10 %", 10.0},
    {"gain -10 %", -10.0},
    {"offset +50 mV", 0.0, 50.0},
    {"offset -50 mV", 0.0, -50.0},
    {"gain +10 %, offset -50 mV", 10.0, -50.0},
    {"gain -10 %, offset +50 mV", -10.0, 50.0},
    {"gain +3 %, offset +20 mV, noise", 3.0, 20.0, -1, 0.0, true},
    {"gain -7 %, offset -35 mV, noise", -7.0, -35.0, -1, 0.0, true},
};

TEST(ClosedLoopSearch, EndsOnTheSweepsValueOnLinearBoardsInFewMeasurements) {
    for (const Board& board : kGoodBoards) {
        std::vector<std::size_t> counts;
        for (const double target : targetsOn(board)) {
            std::map<int, int> timesMeasured;
            const Board counted = board;
            const station::ClosedLoopResult result = nearestByMeasurement(
                target, defaultModel(), 1.0,
                [&](std::uint8_t value) {
                    ++timesMeasured[value];
                    return counted(value);
                },
                station::SearchStrategy::Interpolating);
            const station::ClosedLoopResult halving = search(board, target, station::SearchStrategy::Halving);
            ASSERT_EQ(result.outcome, station::ClosedLoopResult::Outcome::Passed)
                << board.name << ' ' << target;
            EXPECT_EQ(result.best.value, sweepBest(board, target)) << board.name << ' ' << target;
            EXPECT_EQ(halving.best.value, sweepBest(board, target)) << board.name << ' ' << target;
            EXPECT_LE(result.measurements.size(), halving.measurements.size() + 2)
                << board.name << ' ' << target;
            // Only the final check measures a value a second time.
            EXPECT_EQ(timesMeasured[result.best.value], 2) << board.name << ' ' << target;
            EXPECT_EQ(result.measurements.size(), timesMeasured.size() + 1) << board.name << ' ' << target;
            EXPECT_EQ(result.measurements.back().value, result.best.value);
            counts.push_back(result.measurements.size());
        }
        std::sort(counts.begin(), counts.end());
        EXPECT_LE(counts.back(), 6U) << board.name;
        EXPECT_LE(counts[counts.size() / 2], 6U) << board.name;
    }
}

TEST(ClosedLoopSearch, ABoardWithAStepEndsWhereNoNeighbourIsNearer) {
    const Board boards[] = {
        {"+20 mV step at 80", 0.0, 0.0, 0x80, 20.0},
        {"+20 mV step at 30, gain +5 %", 5.0, 0.0, 0x30, 20.0},
        {"+12 mV step at C0, noise", 0.0, 10.0, 0xC0, 12.0, true},
    };
    for (const Board& board : boards) {
        // Targets around the step, where the VCOM crosses them more than once.
        for (int i = -10; i <= 10; ++i) {
            const double target = board(static_cast<std::uint8_t>(board.stepFrom)) + i * 0.002;
            const station::ClosedLoopResult result =
                search(board, target, station::SearchStrategy::Interpolating);
            ASSERT_EQ(result.outcome, station::ClosedLoopResult::Outcome::Passed)
                << board.name << ' ' << target;
            const double distance = std::abs(board(result.best.value) - target);
            for (const int beside : {result.best.value - 1, result.best.value + 1}) {
                EXPECT_GE(std::abs(board(static_cast<std::uint8_t>(beside)) - target), distance)
                    << board.name << ' ' << target << " ended on " << int(result.best.value);
            }
            // The step is at most one crossing away: never farther than half the step from the target.
            EXPECT_LE(distance, board.stepMv / 2000.0 + 0.001) << board.name << ' ' << target;
        }
    }
    // A dip just beside where the search ends: the neighbour is nearer, and the trim moves there.
    const double target = modelVcom(0x73) - 0.003;
    const auto dipped = [&](std::uint8_t value) {
        return value == 0x72 ? target + 0.0005 : modelVcom(value);
    };
    const station::ClosedLoopResult result = nearestByMeasurement(target, defaultModel(), 1.0, dipped);
    EXPECT_EQ(result.best.value, 0x72);
    EXPECT_EQ(result.movedFrom, std::optional<std::uint8_t>(0x73));
}

TEST(ClosedLoopSearch, AFinalCheckFartherThanTheToleranceFails) {
    // 2 V down from 80 on: 2.9 V sits in the gap, a volt from the nearest value on either side.
    const Board jump{"-2 V jump at 80", 0.0, 0.0, 0x80, -2000.0};
    const station::ClosedLoopResult result = search(jump, 2.9, station::SearchStrategy::Interpolating, 0.008);
    EXPECT_EQ(result.outcome, station::ClosedLoopResult::Outcome::OutOfTolerance);
    ASSERT_TRUE(result.finalVcom.has_value());
    EXPECT_GT(std::abs(*result.finalVcom - 2.9), 0.9);
    // Within it, the same search passes.
    EXPECT_EQ(search(Board{"model"}, 3.9, station::SearchStrategy::Interpolating, 0.008).outcome,
              station::ClosedLoopResult::Outcome::Passed);
}

TEST(ClosedLoopSearch, ReversedDeadAndOutOfReachBoardsEndWithoutAValue) {
    using Outcome = station::ClosedLoopResult::Outcome;
    struct Case {
        Board board;
        double target;
        double tolerance;
        Outcome outcome;
        std::size_t atMost;  ///< measurements with the interpolating search
    };
    const Board model{"model"};
    Board reversed{"reversed"};
    reversed.reversed = true;
    Board dead{"no change: the meter is not on VCOM"};
    dead.flat = true;
    const Case cases[] = {
        {reversed, 4.0, 0.008, Outcome::Reversed, 2},
        {reversed, modelVcom(128), 0.008, Outcome::Reversed, 2},
        // Flat between the first two and between the ends: nothing on the board changes.
        {dead, 4.0, 0.008, Outcome::NoChange, 4},
        {dead, 3.0, 0.008, Outcome::NoChange, 4},
        // Beyond an end by more than the tolerance.
        {model, model(0) + 0.001, 0.0005, Outcome::AboveRange, 12},
        {model, model(255) - 0.001, 0.0005, Outcome::BelowRange, 12},
    };
    for (const Case& c : cases) {
        for (const station::SearchStrategy strategy :
             {station::SearchStrategy::Interpolating, station::SearchStrategy::Halving}) {
            const station::ClosedLoopResult result = search(c.board, c.target, strategy, c.tolerance);
            EXPECT_EQ(result.outcome, c.outcome) << c.board.name << ' ' << c.target;
            EXPECT_LE(result.measurements.size(), c.atMost) << c.board.name << ' ' << c.target;
            EXPECT_FALSE(result.finalVcom.has_value()) << c.board.name;
        }
    }
    // Out of reach is proven by the end itself.
    for (const auto& [target, end] : {std::pair{model(0) + 0.001, 0}, std::pair{model(255) - 0.001, 255}}) {
        const station::ClosedLoopResult result =
            search(model, target, station::SearchStrategy::Interpolating, 0.0005);
        EXPECT_TRUE(std::any_of(result.measurements.begin(), result.measurements.end(),
                                [end = end](const station::DcpPoint& point) { return point.value == end; }))
            << target;
    }
}

TEST(ClosedLoopSearch, ATargetWithinTheToleranceOfAnEndIsReachedAtThatEnd) {
    const Board model{"model"};
    const struct {
        double target;
        int end;
    } cases[] = {{model(0), 0}, {model(0) + 0.001, 0}, {model(255), 255}, {model(255) - 0.001, 255}};
    for (const auto& c : cases) {
        const station::ClosedLoopResult result =
            search(model, c.target, station::SearchStrategy::Interpolating, 0.002);
        EXPECT_EQ(result.outcome, station::ClosedLoopResult::Outcome::Passed) << c.target;
        EXPECT_EQ(result.best.value, c.end) << c.target;
    }
}

TEST(ClosedLoopSearch, AFlatStretchIsMeasuredPastAndNamedWhereItHidesTheTarget) {
    // Gain +10 % and an output that saturates at 4.3 V: the model puts 4.25 V where the board is flat.
    Board saturating{"saturates at 4.3 V"};
    saturating.gainPercent = 10.0;
    saturating.saturatesAt = 4.3;
    // A DCP that stops moving at 96: nothing below the VCOM there can be reached.
    Board stopping{"DCP stops at 96"};
    stopping.stopsAt = 0x96;
    for (const auto& [board, target] : {std::pair{saturating, 4.25}, std::pair{stopping, 3.9}}) {
        const station::ClosedLoopResult result =
            search(board, target, station::SearchStrategy::Interpolating, 0.008);
        EXPECT_EQ(result.outcome, station::ClosedLoopResult::Outcome::Passed) << board.name;
        EXPECT_EQ(result.best.value, sweepBest(board, target)) << board.name;
    }
    const station::ClosedLoopResult below =
        search(stopping, 3.2, station::SearchStrategy::Interpolating, 0.008);
    EXPECT_EQ(below.outcome, station::ClosedLoopResult::Outcome::BelowRange);
    ASSERT_TRUE(below.flatEnd.has_value()) << "the stretch that hides the target is named";
    // As far as the measurements show it: inside the board's real stretch, ending at FF.
    EXPECT_GE(below.flatEnd->first.value, 0x96);
    EXPECT_LE(below.flatEnd->first.value, 0xFF - 4);
    EXPECT_EQ(below.flatEnd->second.value, 0xFF);
    // An end that is simply out of reach has no flat stretch to name.
    EXPECT_FALSE(
        search(Board{"model"}, 2.8, station::SearchStrategy::Interpolating, 0.008).flatEnd.has_value());
}

TEST(ClosedLoopSearch, OfTwoEquallyNearValuesTheLowerOne) {
    // A curve in whole millivolts: 255 mV at 0 down to 0 mV at 255; 100.5 mV lies between 155 and 154.
    const auto millivolts = [](std::uint8_t value) { return (255 - value) / 1000.0; };
    const station::ModelLine line{0.255, 0.0};
    EXPECT_EQ(station::nearestByMeasurement(0.1005, line, 1.0, millivolts).best.value, 154);
    EXPECT_EQ(station::nearestByMeasurement(0.1005, line, 1.0, millivolts, station::SearchStrategy::Halving)
                  .best.value,
              154);
}

TEST(ModelSearch, NearestPredictedValueOnTheDefaultDivider) {
    struct Case {
        double target;
        int value;
    };
    // The ends of the range, the worked example's VCOM at 80, and points just beside them.
    const Case cases[] = {{4.91794053819444, 0}, {4.9179, 0},      {2.88166666666667, 255},
                          {2.8817, 255},         {3.8958109, 128}, {3.8958, 128}};
    for (const Case& c : cases) {
        const auto result = station::nearestByModel(kDivider, c.target);
        ASSERT_TRUE(std::holds_alternative<station::DcpPoint>(result)) << c.target;
        EXPECT_EQ(std::get<station::DcpPoint>(result).value, c.value) << c.target;
    }
    EXPECT_NEAR(defaultModel().step(), (4.91794053819444 - 2.88166666666667) / 255, 1e-12);
}

}  // namespace
}  // namespace vcm::test
