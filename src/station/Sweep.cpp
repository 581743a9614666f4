#include "station/Sweep.h"

#include "dcp/DcpText.h"
#include "meter/core/MeterFailure.h"
#include "station/BoardFailure.h"

#include <cmath>

namespace vcm::station {

namespace {

/// Sets the data register back after a failed step, and says in the step's message when it could not.
template <typename Failure>
[[noreturn]] void restoreAndRethrow(BoardSession& board, std::uint8_t restore, Failure failure) {
    try {
        board.sendVerified(restore);
    } catch (const BoardFailure&) {
        failure.message +=
            QStringLiteral("; the data register could not be set back to %1").arg(dcp::byteToHex(restore));
    }
    throw failure;
}

}  // namespace

std::variant<std::vector<SweepRow>, calc::ArithmeticFault> modelSweep(const calc::ForwardInputs& divider,
                                                                      std::uint8_t from, std::uint8_t to) {
    std::vector<SweepRow> rows;
    for (int value = from; value <= to; ++value) {
        calc::ForwardInputs inputs = divider;
        inputs.d = static_cast<std::uint8_t>(value);
        const auto outcome = calc::computeForward(inputs);
        if (const auto* fault = std::get_if<calc::ArithmeticFault>(&outcome)) {
            return *fault;
        }
        rows.push_back({inputs.d, std::get<calc::ForwardResults>(outcome).vcom, {}});
    }
    return rows;
}

std::optional<std::uint8_t> nearestRow(const std::vector<SweepRow>& rows, std::optional<double> target) {
    std::optional<std::uint8_t> best;
    double bestDistance = INFINITY;
    if (!target) {
        return best;
    }
    for (const SweepRow& row : rows) {
        const double distance = std::abs(row.measured.value_or(row.model) - *target);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = row.value;
        }
    }
    return best;
}

void measureRows(BoardSession& board, meter::MeterSession& meter, std::vector<SweepRow>& rows,
                 std::uint8_t restore, const std::function<int()>& stopPending,
                 const std::function<void(const SweepRow&)>& measured) {
    try {
        for (SweepRow& row : rows) {
            if (const int signal = stopPending(); signal != 0) {
                throw StopRequested{signal};
            }
            board.sendVerified(row.value);
            row.measured = meter.measure(row.value);
            measured(row);
        }
    } catch (const BoardFailure& failure) {
        restoreAndRethrow(board, restore, failure);
    } catch (const meter::MeterFailure& failure) {
        restoreAndRethrow(board, restore, failure);
    } catch (const StopRequested& stop) {
        board.sendVerified(restore);
        throw;
    }
    board.sendVerified(restore);
}

}  // namespace vcm::station
