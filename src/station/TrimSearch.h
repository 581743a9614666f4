#pragma once

#include "calculator/CheckedArithmetic.h"
#include "calculator/ForwardCalculation.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace vcm::station {

/// A DCP value and the VCOM it gives (predicted or measured).
struct DcpPoint {
    std::uint8_t value = 0;
    double vcom = 0.0;

    friend bool operator==(const DcpPoint&, const DcpPoint&) = default;
};

/// The DCP value whose VCOM, predicted by the forward model of `divider` (its `d` is ignored), is nearest
/// `target`; of two equally near the lower value. Or the model's arithmetic fault.
std::variant<DcpPoint, calc::ArithmeticFault> nearestByModel(const calc::ForwardInputs& divider,
                                                             double target);

/// The divider model's VCOM at the two ends of the DCP, where the closed loop starts from: the model is
/// linear in the value, so these two predict every value between.
struct ModelLine {
    double atZero = 0.0;  ///< VCOM at DCP 00, the highest
    double atFull = 0.0;  ///< VCOM at DCP FF, the lowest

    /// One DCP step of the model: what the VCOM falls from one value to the next.
    double step() const { return (atZero - atFull) / 255.0; }
};

/// The model line of `divider` (its `d` is ignored), or the model's arithmetic fault.
std::variant<ModelLine, calc::ArithmeticFault> modelLineOf(const calc::ForwardInputs& divider);

/// Sends a value and returns the VCOM measured with it; throws when the send or the measurement fails.
using MeasureAt = std::function<double(std::uint8_t value)>;

/// How the closed loop looks for the value.
enum class SearchStrategy {
    /// From the model's prediction, the line through the measurements so far, kept inside the bracket
    /// that the measurements prove and halving it whenever the line does not shrink it fast enough.
    Interpolating,
    /// Both ends first, then halving: the older search, kept as the yardstick of the other.
    Halving,
};

/// What the closed loop found.
struct ClosedLoopResult {
    enum class Outcome {
        Passed,          ///< `best` measured again within the tolerance
        OutOfTolerance,  ///< `best` measured again is farther from the target than the tolerance
        AboveRange,      ///< the board's VCOM at 00 (`measurements`) is below the target
        BelowRange,      ///< the board's VCOM at FF is above the target
        Reversed,        ///< the VCOM rose with the value between the first two measurements (or the ends)
        NoChange,        ///< the VCOM hardly changed between the first two measurements, nor between the ends
    };
    Outcome outcome = Outcome::Passed;
    DcpPoint best;                       ///< the chosen value and its VCOM during the search
    std::optional<double> finalVcom;     ///< the chosen value measured again, last
    std::vector<DcpPoint> measurements;  ///< every measurement, in the order taken, the final one too
    /// The value the search itself ended on, when a nearer neighbour moved it to `best`.
    std::optional<std::uint8_t> movedFrom;
    /// For Reversed and NoChange: the two measurements that showed it, the lower value first.
    std::optional<std::pair<DcpPoint, DcpPoint>> evidence;
    /// For AboveRange and BelowRange: where the VCOM stopped changing next to the end that proves it, when
    /// it did over more than a few values (an output that saturates, a DCP that stops moving); the
    /// stretch's other end first.
    std::optional<std::pair<DcpPoint, DcpPoint>> flatEnd;
};

/// The closed loop: the value whose measured VCOM is nearest `target` (of two equally near the lower),
/// using that VCOM falls as the value rises.
/// - The first two measurements stand at least a few values apart and must show the VCOM falling by at
///   least a quarter of what the model says; where it rises the board is reversed. Where it hardly
///   changes, the two ends are measured: a board that changes there has a flat stretch and the search
///   goes on; one that does not is reported as no change.
/// - A target beyond the board's reach by more than `tolerance` is out of reach; by no more, the end
///   nearest it is the value.
/// - The search ends on two neighbouring values on either side of the target. Then the chosen value's
///   neighbours are measured, and it moves while one is nearer (a board that is not monotonic there).
/// - Last, the chosen value is measured once more; farther than `tolerance` from the target fails.
/// A value is measured once during the search; only the final check measures one again.
ClosedLoopResult nearestByMeasurement(double target, const ModelLine& model, double tolerance,
                                      const MeasureAt& measureAt,
                                      SearchStrategy strategy = SearchStrategy::Interpolating);

}  // namespace vcm::station
