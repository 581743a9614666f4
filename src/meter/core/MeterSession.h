#pragma once

#include "meter/core/Meter.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace vcm::meter {

/// The meter a trim or a sweep measures with, and how: the settle time after each send and the number of
/// readings averaged.
class MeterSession {
  public:
    /// Blocks for the given milliseconds.
    using Pause = std::function<void(int milliseconds)>;

    MeterSession(std::unique_ptr<Meter> meter, int settleMs, int average, Pause pause);

    /// The VCOM with `value` in the data register (sent and verified just before): waits the settle
    /// time, then reads `average` times and returns the mean. Throws a MeterFailure.
    double measure(std::uint8_t value);

    const Meter& meter() const { return *meter_; }

  private:
    std::unique_ptr<Meter> meter_;
    int settleMs_;
    int average_;
    Pause pause_;
};

}  // namespace vcm::meter
