#pragma once

#include "station/TrimSearch.h"

#include <QString>

#include <optional>

namespace vcm::station {

/// Why a closed loop found no value to program: the failure's stable name and its sentence.
struct TrimRefusal {
    QString failure;  ///< "out-of-tolerance", "out-of-reach", "flat", "reversed", "no-change"
    QString reason;
};

/// The refusal of a closed loop that did not pass, or nothing when it did.
std::optional<TrimRefusal> refusalOf(const ClosedLoopResult& result, double target, double tolerance);

/// The sentence of a chosen value whose reading after programming lies beyond the tolerance.
QString movedAfterProgramming(std::uint8_t value, double vcom, double target, double tolerance);

}  // namespace vcm::station
