#pragma once

// The figures of a report over station logs: counts by outcome and failure code, yields, retests and the
// spread of the chosen values and of the final error, per station and in total.

#include "station/report/LogAttempt.h"

#include <QHash>
#include <QString>

#include <array>
#include <map>
#include <optional>
#include <vector>

namespace vcm::station::report {

/// The code counted for an attempt that did not pass and names no failure (older logs).
inline constexpr char16_t kNoFailureCode[] = u"(none)";

/// How a set of numbers spreads: what a line engineer reads at a glance.
struct Spread {
    qint64 count = 0;
    double min = 0.0;
    double median = 0.0;  ///< of an even count, the mean of the two middle values
    double max = 0.0;
    double mean = 0.0;
    std::optional<double> sd;  ///< the sample standard deviation, from two values on
};

/// The spread of `values`, which it reorders; a count of 0 for none.
Spread spreadOf(std::vector<double>& values);

/// The figures of one station's attempts, or of all. A board is a boardId; its first and last attempts
/// are its earliest and latest by start (of equal starts, the one read first is earlier).
struct Figures {
    qint64 attempts = 0;
    std::array<qint64, kOutcomeCount> outcomes{};
    std::map<QString, qint64> failures;  ///< attempts that did not pass, by failure code
    qint64 withoutBoard = 0;             ///< attempts without a boardId: in the counts, not the yields
    qint64 boards = 0;
    qint64 firstPassed = 0;  ///< boards whose first attempt passed
    qint64 finalPassed = 0;  ///< boards whose last attempt passed
    qint64 retests = 0;      ///< attempts beyond each board's first
    Spread chosen;           ///< of the chosen DCP values
    Spread finalError;       ///< of LogAttempt::finalError, in volts

    /// firstPassed / boards, unset without boards.
    std::optional<double> firstPassYield() const;
    /// finalPassed / boards, unset without boards.
    std::optional<double> finalYield() const;
};

/// Each station's figures by station name, and the total's.
struct ReportFigures {
    std::vector<std::pair<QString, Figures>> stations;
    Figures total;
};

/// A line that is not an attempt, where it is and why.
struct MalformedLine {
    QString log;
    qint64 line = 0;
    QString problem;
};

/// The tolerance most attempts with a final error were judged against.
struct CommonTolerance {
    double volts = 0.0;
    qint64 attempts = 0;  ///< judged against it
    qint64 judged = 0;    ///< judged against any tolerance
};

/// Takes the attempts of any number of logs in any order and gives the figures per station (each
/// station's from its own lines alone) and in total.
class StationReport {
  public:
    /// The malformed lines named (the rest are only counted): enough to find a broken stretch of a log.
    static constexpr qsizetype kNamedMalformed = 50;

    void add(const LogAttempt& attempt);
    void addMalformed(const QString& log, qint64 line, const QString& problem);

    Figures total() const;
    /// Each station's figures, by station name.
    std::vector<std::pair<QString, Figures>> stations() const;
    /// Both at once (each is worked out over every board and value: once is enough).
    ReportFigures figures() const { return {stations(), total()}; }
    /// Every final error, in volts, in the order read.
    const std::vector<double>& finalErrors() const { return total_.errors; }
    /// The most common tolerance (the smaller of equally common ones); unset when no attempt with a final
    /// error had one.
    std::optional<CommonTolerance> commonTolerance() const;

    qint64 malformedCount() const { return malformedCount_; }
    /// The first kNamedMalformed malformed lines.
    const std::vector<MalformedLine>& malformedLines() const { return malformed_; }

  private:
    struct Board {
        qint64 firstMs = 0;
        qint64 lastMs = 0;
        bool firstPassed = false;
        bool lastPassed = false;
    };
    struct Tally {
        Figures counts;  ///< everything but the board figures and spreads, counted as read
        QHash<QString, Board> boards;
        std::vector<double> chosen;
        std::vector<double> errors;

        void add(const LogAttempt& attempt);
        Figures figures() const;
    };

    Tally total_;
    std::map<QString, Tally> stations_;
    /// The first stations' tallies by name, found by equality faster than the map finds them by order.
    std::vector<std::pair<QString, Tally*>> found_;
    std::map<double, qint64> tolerances_;
    qint64 malformedCount_ = 0;
    std::vector<MalformedLine> malformed_;
};

}  // namespace vcm::station::report
