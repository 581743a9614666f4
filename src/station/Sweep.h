#pragma once

#include "calculator/CheckedArithmetic.h"
#include "calculator/ForwardCalculation.h"
#include "meter/core/MeterSession.h"
#include "station/BoardSession.h"
#include "station/SweepPlot.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace vcm::station {

/// The divider model's VCOM of every value from `from` to `to` (the divider's `d` is ignored), or the
/// model's arithmetic fault.
std::variant<std::vector<SweepRow>, calc::ArithmeticFault> modelSweep(const calc::ForwardInputs& divider,
                                                                      std::uint8_t from, std::uint8_t to);

/// The value nearest `target` among the rows (measured where there is a measurement), the lower one of
/// two equally near; nothing without a target.
std::optional<std::uint8_t> nearestRow(const std::vector<SweepRow>& rows, std::optional<double> target);

/// Measures the value of every row in turn (each sent and verified first), telling `measured` of each,
/// then sets the data register back to `restore`, the value it held. A failing step is rethrown (a
/// BoardFailure or a MeterFailure) after the register is set back, its message saying when that too
/// failed; the rows measured before it keep their readings. A stop pending before a row ends the sweep
/// the same way, with a StopRequested.
void measureRows(BoardSession& board, meter::MeterSession& meter, std::vector<SweepRow>& rows,
                 std::uint8_t restore, const std::function<int()>& stopPending,
                 const std::function<void(const SweepRow&)>& measured);

}  // namespace vcm::station
