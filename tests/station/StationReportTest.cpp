#include "QtPrinters.h"
#include "station/report/StationReport.h"

#include <gtest/gtest.h>

#include <map>

namespace vcm::test {
namespace {

using station::report::Figures;
using station::report::LogAttempt;
using station::report::Outcome;
using station::report::StationReport;

/// An attempt as the tables below write it: station, board (empty for none), start in seconds,
/// outcome, failure code.
LogAttempt attempt(const char* station, const char* board, qint64 second, Outcome outcome,
                   const char* failure = "") {
    LogAttempt a;
    a.station = QString::fromUtf8(station);
    a.boardId = QString::fromUtf8(board);
    a.startMs = second * 1000;
    a.outcome = outcome;
    a.failure = QString::fromUtf8(failure);
    return a;
}

constexpr Outcome kPass = Outcome::Pass;
constexpr Outcome kFail = Outcome::Fail;

/// Attempts, without a board, boards, first passed, final passed, retests.
using Counted = std::array<qint64, 6>;

Counted counted(const Figures& f) {
    return {f.attempts, f.withoutBoard, f.boards, f.firstPassed, f.finalPassed, f.retests};
}

// A board's first and last attempts are its earliest and latest by start, in whatever order the logs
// are read; attempts without a board are counted but are not boards.
TEST(StationReport, BoardsYieldsAndRetestsFollowEachBoardsEarliestAndLatestAttempt) {
    struct Case {
        const char* name;
        std::vector<LogAttempt> attempts;
        Counted total;
    };
    const Case cases[] = {
        {"a board that passed on its retest",
         {attempt("s", "B1", 1, kFail), attempt("s", "B1", 2, kPass)},
         {2, 0, 1, 0, 1, 1}},
        {"a board that failed on its retest",
         {attempt("s", "B1", 1, kPass), attempt("s", "B1", 2, kFail)},
         {2, 0, 1, 1, 0, 1}},
        {"a later log read first",
         {attempt("s", "B1", 9, kPass), attempt("s", "B1", 3, kFail)},
         {2, 0, 1, 0, 1, 1}},
        {"equal starts: the one read first is earlier",
         {attempt("s", "B1", 5, kFail), attempt("s", "B1", 5, kPass), attempt("s", "B1", 5, kFail)},
         {3, 0, 1, 0, 0, 2}},
        {"attempts without a board stay out of the boards",
         {attempt("s", "", 1, kFail), attempt("s", "", 2, kFail), attempt("s", "B2", 3, kPass)},
         {3, 2, 1, 1, 1, 0}},
        {"only attempts without a board", {attempt("s", "", 1, kPass)}, {1, 1, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StationReport report;
        for (const LogAttempt& a : c.attempts) {
            report.add(a);
        }
        EXPECT_EQ(counted(report.total()), c.total);
    }
}

// Each station's figures come from its own lines: a board moved to another station is a first attempt
// there, and a retest only in the total.
TEST(StationReport, EachStationCountsItsOwnLinesAlone) {
    StationReport report;
    for (const LogAttempt& a :
         {attempt("bench-2", "B1", 1, kFail, "reversed"), attempt("bench-1", "B1", 2, kPass),
          attempt("bench-1", "B2", 3, Outcome::Error, "meter"),
          attempt("bench-1", "B2", 4, Outcome::Aborted, "stopped"), attempt("(unknown)", "B3", 0, kFail)}) {
        report.add(a);
    }
    const auto stations = report.stations();
    ASSERT_EQ(stations.size(), 3U);
    EXPECT_EQ(stations[0].first, "(unknown)");
    EXPECT_EQ(stations[1].first, "bench-1");
    EXPECT_EQ(counted(stations[1].second), (Counted{3, 0, 2, 1, 1, 1}));
    EXPECT_EQ(stations[2].first, "bench-2");
    EXPECT_EQ(counted(stations[2].second), (Counted{1, 0, 1, 0, 0, 0}));
    const Figures total = report.total();
    EXPECT_EQ(counted(total), (Counted{5, 0, 3, 0, 1, 2}));
    EXPECT_EQ(total.outcomes, (std::array<qint64, 4>{1, 2, 1, 1}));
    // A line that did not pass and names no failure (an older one) is counted under "(none)".
    EXPECT_EQ(total.failures,
              (std::map<QString, qint64>{{"(none)", 1}, {"meter", 1}, {"reversed", 1}, {"stopped", 1}}));
    EXPECT_EQ(total.firstPassYield(), 0.0);
    EXPECT_EQ(total.finalYield(), 1.0 / 3.0);
    EXPECT_EQ(StationReport().total().firstPassYield(), std::nullopt);
}

TEST(StationReport, SpreadIsMinMedianMaxMeanAndSampleDeviation) {
    struct Case {
        std::vector<double> values;
        double min, median, max, mean;
        std::optional<double> sd;
    };
    const Case cases[] = {
        {{0.002}, 0.002, 0.002, 0.002, 0.002, std::nullopt},
        {{3, 1, 2}, 1, 2, 3, 2, 1},
        {{4, 1, 3, 2}, 1, 2.5, 4, 2.5, 1.2909944487358056},
        // Values close together far from zero keep their small deviation.
        {{1e9 + 1, 1e9 + 2, 1e9 + 3}, 1e9 + 1, 1e9 + 2, 1e9 + 3, 1e9 + 2, 1},
    };
    for (const Case& c : cases) {
        std::vector<double> values = c.values;
        const station::report::Spread s = station::report::spreadOf(values);
        EXPECT_EQ(s.count, static_cast<qint64>(c.values.size()));
        EXPECT_EQ(s.min, c.min);
        EXPECT_EQ(s.median, c.median);
        EXPECT_EQ(s.max, c.max);
        EXPECT_DOUBLE_EQ(s.mean, c.mean);
        EXPECT_EQ(s.sd.has_value(), c.sd.has_value());
        EXPECT_NEAR(s.sd.value_or(0), c.sd.value_or(0), 1e-9);
    }
    std::vector<double> none;
    EXPECT_EQ(station::report::spreadOf(none).count, 0);
}

TEST(StationReport, SpreadsTakeEveryAttemptWithAValueAndTheToleranceMostHad) {
    StationReport report;
    const auto add = [&](std::optional<std::uint8_t> chosen, std::optional<double> finalVcom,
                         std::optional<double> tolerance, Outcome outcome) {
        LogAttempt a = attempt("s", "B", 1, outcome);
        a.target = 4.0;
        a.chosen = chosen;
        a.finalVcom = finalVcom;
        a.tolerance = tolerance;
        report.add(a);
    };
    add(0x7D, 4.002, 0.005, kPass);
    add(0x7E, 4.010, 0.005, kFail);  // out of tolerance: still in the spread
    add(0x80, 3.999, 0.008, kPass);
    add(std::nullopt, std::nullopt, 0.008, Outcome::Error);  // no final error: judged against none
    const Figures total = report.total();
    EXPECT_EQ(total.chosen.count, 3);
    EXPECT_EQ(total.chosen.median, 0x7E);
    EXPECT_EQ(total.finalError.count, 3);
    EXPECT_NEAR(total.finalError.max, 0.010, 1e-12);
    ASSERT_TRUE(report.commonTolerance());
    EXPECT_EQ(report.commonTolerance()->volts, 0.005);
    EXPECT_EQ(report.commonTolerance()->attempts, 2);
    EXPECT_EQ(report.commonTolerance()->judged, 3);
    EXPECT_EQ(report.finalErrors().size(), 3U);
}

TEST(StationReport, MalformedLinesAreAllCountedAndTheFirstNamed) {
    StationReport report;
    for (int line = 1; line <= StationReport::kNamedMalformed + 7; ++line) {
        report.addMalformed(QStringLiteral("a.jsonl"), line, QStringLiteral("not a JSON object"));
    }
    EXPECT_EQ(report.malformedCount(), StationReport::kNamedMalformed + 7);
    ASSERT_EQ(report.malformedLines().size(), static_cast<std::size_t>(StationReport::kNamedMalformed));
    EXPECT_EQ(report.malformedLines().back().line, StationReport::kNamedMalformed);
}

}  // namespace
}  // namespace vcm::test
