#include "station/report/StationReport.h"

#include <algorithm>
#include <cmath>

namespace vcm::station::report {

Spread spreadOf(std::vector<double>& values) {
    Spread spread;
    spread.count = static_cast<qint64>(values.size());
    if (values.empty()) {
        return spread;
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    spread.min = *low;
    spread.max = *high;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    spread.median = *middle;
    if (values.size() % 2 == 0) {
        spread.median = (*std::max_element(values.begin(), middle) + *middle) / 2.0;
    }
    // Welford's running mean and squares: stable where the values lie close together far from zero.
    double mean = 0.0;
    double squares = 0.0;
    double n = 0.0;
    for (const double value : values) {
        n += 1.0;
        const double delta = value - mean;
        mean += delta / n;
        squares += delta * (value - mean);
    }
    spread.mean = mean;
    if (values.size() >= 2) {
        spread.sd = std::sqrt(squares / (n - 1.0));
    }
    return spread;
}

std::optional<double> Figures::firstPassYield() const {
    return boards > 0 ? std::optional(static_cast<double>(firstPassed) / static_cast<double>(boards))
                      : std::nullopt;
}

std::optional<double> Figures::finalYield() const {
    return boards > 0 ? std::optional(static_cast<double>(finalPassed) / static_cast<double>(boards))
                      : std::nullopt;
}

void StationReport::Tally::add(const LogAttempt& attempt) {
    ++counts.attempts;
    ++counts.outcomes[static_cast<std::size_t>(attempt.outcome)];
    const bool passed = attempt.outcome == Outcome::Pass;
    if (!passed) {
        ++counts.failures[attempt.failure.isEmpty() ? QString::fromUtf16(kNoFailureCode) : attempt.failure];
    }
    if (attempt.chosen) {
        chosen.push_back(*attempt.chosen);
    }
    if (const std::optional<double> error = attempt.finalError()) {
        errors.push_back(*error);
    }
    if (attempt.boardId.isEmpty()) {
        ++counts.withoutBoard;
        return;
    }
    const auto found = boards.find(attempt.boardId);
    if (found == boards.end()) {
        boards.insert(attempt.boardId, Board{attempt.startMs, attempt.startMs, passed, passed});
        return;
    }
    ++counts.retests;
    Board& board = *found;
    if (attempt.startMs < board.firstMs) {
        board.firstMs = attempt.startMs;
        board.firstPassed = passed;
    }
    if (attempt.startMs >= board.lastMs) {
        board.lastMs = attempt.startMs;
        board.lastPassed = passed;
    }
}

Figures StationReport::Tally::figures() const {
    Figures figures = counts;
    figures.boards = boards.size();
    for (const Board& board : boards) {
        figures.firstPassed += board.firstPassed ? 1 : 0;
        figures.finalPassed += board.lastPassed ? 1 : 0;
    }
    std::vector<double> values = chosen;
    figures.chosen = spreadOf(values);
    values = errors;
    figures.finalError = spreadOf(values);
    return figures;
}

void StationReport::add(const LogAttempt& attempt) {
    total_.add(attempt);
    Tally* tally = nullptr;
    for (const auto& [name, known] : found_) {
        if (name == attempt.station) {
            tally = known;
            break;
        }
    }
    if (!tally) {
        tally = &stations_[attempt.station];
        if (found_.size() < 32) {
            found_.emplace_back(attempt.station, tally);
        }
    }
    tally->add(attempt);
    if (attempt.tolerance && attempt.finalError()) {
        ++tolerances_[*attempt.tolerance];
    }
}

void StationReport::addMalformed(const QString& log, qint64 line, const QString& problem) {
    ++malformedCount_;
    if (static_cast<qsizetype>(malformed_.size()) < kNamedMalformed) {
        malformed_.push_back({log, line, problem});
    }
}

Figures StationReport::total() const {
    return total_.figures();
}

std::vector<std::pair<QString, Figures>> StationReport::stations() const {
    std::vector<std::pair<QString, Figures>> list;
    for (const auto& [name, tally] : stations_) {
        list.emplace_back(name, tally.figures());
    }
    return list;
}

std::optional<CommonTolerance> StationReport::commonTolerance() const {
    std::optional<CommonTolerance> common;
    qint64 judged = 0;
    for (const auto& [volts, attempts] : tolerances_) {
        judged += attempts;
        // Ascending order: a later tolerance replaces the earlier only when more attempts had it.
        if (!common || attempts > common->attempts) {
            common = CommonTolerance{volts, attempts, 0};
        }
    }
    if (common) {
        common->judged = judged;
    }
    return common;
}

}  // namespace vcm::station::report
