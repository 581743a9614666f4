#include "station/TrimSearch.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace vcm::station {

std::variant<DcpPoint, calc::ArithmeticFault> nearestByModel(const calc::ForwardInputs& divider,
                                                             double target) {
    DcpPoint best;
    double bestDistance = INFINITY;
    for (int value = 0; value <= 255; ++value) {
        calc::ForwardInputs inputs = divider;
        inputs.d = static_cast<std::uint8_t>(value);
        const auto outcome = calc::computeForward(inputs);
        if (const auto* fault = std::get_if<calc::ArithmeticFault>(&outcome)) {
            return *fault;
        }
        const double vcom = std::get<calc::ForwardResults>(outcome).vcom;
        // Strictly nearer only: of two equally near values the lower one stays.
        if (std::abs(vcom - target) < bestDistance) {
            bestDistance = std::abs(vcom - target);
            best = {inputs.d, vcom};
        }
    }
    return best;
}

std::variant<ModelLine, calc::ArithmeticFault> modelLineOf(const calc::ForwardInputs& divider) {
    ModelLine line;
    for (const int value : {0, 255}) {
        calc::ForwardInputs inputs = divider;
        inputs.d = static_cast<std::uint8_t>(value);
        const auto outcome = calc::computeForward(inputs);
        if (const auto* fault = std::get_if<calc::ArithmeticFault>(&outcome)) {
            return *fault;
        }
        (value == 0 ? line.atZero : line.atFull) = std::get<calc::ForwardResults>(outcome).vcom;
    }
    return line;
}

namespace {

/// The first two measurements stand this many values apart at least, so that a small step of a board
/// that is not monotonic cannot pass for a reversed one.
constexpr int kMinFirstSpan = 4;
/// Between the first two measurements the VCOM must fall by this share of the model's fall at least.
constexpr double kMinFallShare = 0.25;
/// The most measurements the search itself may take: the halving search's two ends and eight halvings,
/// and two more. Interpolation goes on only while halving could still finish within it.
constexpr int kSearchBudget = 12;

int clampValue(double value) {
    if (!std::isfinite(value)) {
        return 128;
    }
    return static_cast<int>(std::clamp(std::round(value), 0.0, 255.0));
}

/// Halvings needed to shrink an open bracket of `width` to two neighbours.
int halvingsFor(int width) {
    return width <= 1 ? 0 : std::bit_width(static_cast<unsigned>(width - 1));
}

class Search {
  public:
    Search(double target, const ModelLine& model, const MeasureAt& measureAt, ClosedLoopResult& result)
        : target_(target), model_(model), measureAt_(measureAt), result_(result) {}

    double at(int value) {
        auto& known = known_[static_cast<std::size_t>(value)];
        if (!known) {
            known = measureAt_(static_cast<std::uint8_t>(value));
            result_.measurements.push_back({static_cast<std::uint8_t>(value), *known});
        }
        return *known;
    }
    double distance(int value) { return std::abs(at(value) - target_); }
    bool isKnown(int value) const { return known_[static_cast<std::size_t>(value)].has_value(); }

    /// The stretch of measured values next to the end `end` that read as that end does (within a
    /// quarter of the model's step), when it spans more than a few values: where the VCOM stops
    /// changing. Its other end first.
    std::optional<std::pair<DcpPoint, DcpPoint>> flatStretchFrom(int end) const {
        const double level = *known_[static_cast<std::size_t>(end)];
        const int direction = end == 0 ? 1 : -1;
        int reach = end;
        for (int value = end + direction; value >= 0 && value <= 255; value += direction) {
            const auto& known = known_[static_cast<std::size_t>(value)];
            if (!known) {
                continue;
            }
            if (std::abs(*known - level) > kMinFallShare * model_.step()) {
                break;
            }
            reach = value;
        }
        if (std::abs(reach - end) < kMinFirstSpan) {
            return std::nullopt;
        }
        return std::pair{DcpPoint{static_cast<std::uint8_t>(reach), *known_[static_cast<std::size_t>(reach)]},
                         DcpPoint{static_cast<std::uint8_t>(end), level}};
    }

    /// Takes a measurement into the bracket when it lies inside it.
    void narrow(int value) {
        if (value > low_ && value < high_) {
            (at(value) > target_ ? low_ : high_) = value;
            older_ = recent_;
            recent_ = value;
        }
    }

    /// The first two values: the ends for halving; else the model's prediction and where the model's
    /// slope from there says the target lies.
    std::pair<int, int> firstPair(SearchStrategy strategy) {
        if (strategy == SearchStrategy::Halving) {
            return {0, 255};
        }
        const double step = model_.step();
        const int first = clampValue((model_.atZero - target_) / step);
        int second = clampValue(first + (at(first) - target_) / step);
        if (std::abs(second - first) < kMinFirstSpan) {
            const int towards = at(first) > target_ ? 1 : -1;
            second = first + towards * kMinFirstSpan;
            if (second < 0 || second > 255) {
                second = first - towards * kMinFirstSpan;
            }
        }
        return {first, second};
    }

    /// The next value to measure inside the open bracket: where the line through the two latest
    /// measurements in it crosses the target (the model's slope while there is one), or its middle when
    /// halving from here could otherwise no longer finish within the budget.
    int next(SearchStrategy strategy) const {
        const int taken = static_cast<int>(result_.measurements.size());
        const bool mayInterpolate = strategy == SearchStrategy::Interpolating &&
                                    taken + 1 + halvingsFor(high_ - low_ - 1) <= kSearchBudget;
        int value = (low_ + high_) / 2;
        if (mayInterpolate && older_ >= 0) {
            const double a = *known_[static_cast<std::size_t>(older_)];
            const double b = *known_[static_cast<std::size_t>(recent_)];
            if (a != b) {
                value = clampValue(older_ + (a - target_) * (recent_ - older_) / (a - b));
            }
        } else if (mayInterpolate && recent_ >= 0) {
            value =
                clampValue(recent_ + (*known_[static_cast<std::size_t>(recent_)] - target_) / model_.step());
        }
        return std::clamp(value, low_ + 1, high_ - 1);
    }

    /// Moves from `chosen` to a nearer neighbour while there is one: a board that is not monotonic (a
    /// step up where the VCOM should fall) can cross the target again beside where the search ended.
    /// Of two equally near neighbours the lower one.
    int nearestAround(int chosen) {
        while (true) {
            int nearer = chosen;
            for (const int neighbour : {chosen - 1, chosen + 1}) {
                if (neighbour >= 0 && neighbour <= 255 && distance(neighbour) < distance(nearer)) {
                    nearer = neighbour;
                }
            }
            if (nearer == chosen) {
                return chosen;
            }
            chosen = nearer;
        }
    }

    int low_ = -1;     ///< the highest value measured above the target, or -1
    int high_ = 256;   ///< the lowest value measured at or below it, or 256
    int older_ = -1;   ///< the measurement in the bracket before the latest, or -1
    int recent_ = -1;  ///< the latest measurement in the bracket, or -1

  private:
    double target_;
    const ModelLine& model_;
    const MeasureAt& measureAt_;
    ClosedLoopResult& result_;
    std::array<std::optional<double>, 256> known_;
};

}  // namespace

ClosedLoopResult nearestByMeasurement(double target, const ModelLine& model, double tolerance,
                                      const MeasureAt& measureAt, SearchStrategy strategy) {
    using Outcome = ClosedLoopResult::Outcome;
    ClosedLoopResult result;
    Search search(target, model, measureAt, result);

    const auto [first, second] = search.firstPair(strategy);
    // The VCOM must fall between the first two. Where it rises, the board is reversed. Where it hardly
    // changes, the two may lie in a flat stretch (an output that saturates, a DCP that stops moving at one
    // end) rather than on a board whose meter or DCP is not connected: the two ends tell which.
    for (const auto& [lower, upper] :
         {std::pair{std::min(first, second), std::max(first, second)}, std::pair{0, 255}}) {
        const double fall = search.at(lower) - search.at(upper);
        const double modelFall = model.step() * (upper - lower);
        if (fall >= kMinFallShare * modelFall) {
            break;
        }
        if (fall <= -kMinFallShare * modelFall || (lower == 0 && upper == 255)) {
            result.outcome = fall <= -kMinFallShare * modelFall ? Outcome::Reversed : Outcome::NoChange;
            result.evidence = {{static_cast<std::uint8_t>(lower), search.at(lower)},
                               {static_cast<std::uint8_t>(upper), search.at(upper)}};
            return result;
        }
    }
    for (const int value : {0, 255, first, second}) {
        if (search.isKnown(value)) {
            search.narrow(value);
        }
    }

    // A target beyond an end by no more than the tolerance is within reach: that end is the value.
    while (true) {
        if (search.high_ == 0) {
            if (target - search.at(0) > tolerance) {
                result.outcome = Outcome::AboveRange;
                result.flatEnd = search.flatStretchFrom(0);
                return result;
            }
            break;
        }
        if (search.low_ == 255) {
            if (search.at(255) - target > tolerance) {
                result.outcome = Outcome::BelowRange;
                result.flatEnd = search.flatStretchFrom(255);
                return result;
            }
            break;
        }
        if (search.low_ >= 0 && search.high_ <= 255 && search.high_ - search.low_ == 1) {
            break;
        }
        search.narrow(search.next(strategy));
    }

    // The nearer of the two on either side of the target, the lower one of two equally near.
    int chosen = search.high_ <= 255 ? search.high_ : search.low_;
    if (search.low_ >= 0 && search.distance(search.low_) <= search.distance(chosen)) {
        chosen = search.low_;
    }
    const int searched = chosen;
    chosen = search.nearestAround(chosen);
    if (chosen != searched) {
        result.movedFrom = static_cast<std::uint8_t>(searched);
    }
    result.best = {static_cast<std::uint8_t>(chosen), search.at(chosen)};

    const double final = measureAt(result.best.value);
    result.measurements.push_back({result.best.value, final});
    result.finalVcom = final;
    result.outcome = std::abs(final - target) <= tolerance ? Outcome::Passed : Outcome::OutOfTolerance;
    return result;
}

}  // namespace vcm::station
