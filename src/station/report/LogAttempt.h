#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <optional>

namespace vcm::station::report {

/// How an attempt ended, as the log says it (older logs know only pass and fail).
enum class Outcome { Pass, Fail, Error, Aborted };
inline constexpr int kOutcomeCount = 4;

/// "pass", "fail", "error", "aborted": the log's own words.
QString outcomeName(Outcome outcome);

/// The station of an older line, which did not say.
inline constexpr char16_t kUnknownStation[] = u"(unknown)";

/// One trim attempt as a station log line tells it, in both the current and the older format. What the
/// line does not have is empty or unset.
struct LogAttempt {
    QString start;       ///< as written: "start", or "time" in older logs
    QString end;         ///< as written; older logs have none
    qint64 startMs = 0;  ///< the start in milliseconds since 1970 UTC: what orders a board's attempts
    QString station;     ///< kUnknownStation when the line does not say
    QString operatorName;
    QString boardId;  ///< empty: an attempt without a board
    std::optional<int> attempt;
    QString tool;
    QString adapter;
    QString meter;
    QString meterIdentity;
    QString basis;  ///< "measured" or "model"
    QString recipe;
    std::optional<double> target;
    std::optional<double> tolerance;
    int measurements = 0;
    std::optional<std::uint8_t> chosen;
    std::optional<double> predictedVcom;  ///< model trims
    std::optional<double> finalVcom;      ///< closed loop: the final check
    std::optional<double> afterProgram;   ///< closed loop: measured again after programming
    Outcome outcome = Outcome::Pass;
    QString failure;  ///< the stable code of why it did not pass; older logs have none
    QString reason;
    std::optional<bool> programmed;

    /// How far the trim ended from its target: the closed loop's final reading (or, for a model trim, the
    /// model's prediction) less the target; unset when the line lacks either.
    std::optional<double> finalError() const;
};

}  // namespace vcm::station::report
