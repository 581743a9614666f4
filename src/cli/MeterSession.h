#pragma once

#include "cli/BoardSession.h"
#include "cli/Invocation.h"
#include "cli/Meter.h"

#include <memory>

namespace vcm::cli {

/// The meter a trim or a sweep measures with: the --measure command or the built-in --meter, with the
/// --settle time and the --average count.
class MeterSession {
  public:
    /// Opens the meter the options name; `builtIn` makes a --meter one. Throws a CommandFailure (exit 1)
    /// when it cannot be had.
    MeterSession(const Invocation& invocation, const MeterMaker& builtIn);

    /// Sends `value` and verifies it, waits the settle time, and measures `average` times: their mean.
    double measureAt(BoardSession& board, std::uint8_t value);

    const Meter& meter() const { return *meter_; }

  private:
    std::unique_ptr<Meter> meter_;
    int settleMs_;
    int average_;
};

}  // namespace vcm::cli
