#pragma once

#include "adapter/core/AdapterLibrary.h"

#include <cstdint>
#include <functional>

namespace vcm::station {

/// The chip operations of the tool, each a step that either succeeds or throws a BoardFailure naming the
/// step. The bytes on the bus are the window's: the same transactions, the same buffers.
class BoardSession {
  public:
    /// Blocks for the given milliseconds (the EEPROM's write time).
    using Pause = std::function<void(int milliseconds)>;
    /// Runs after every write the session makes (the tool saves the simulated board there); may throw.
    using AfterWrite = std::function<void()>;

    BoardSession(adapter::AdapterLibrary& library, Pause pause, AfterWrite afterWrite = {});

    /// Opens the adapter as the window's start-up does; fails when none is found.
    void connect();
    /// One read of the data register.
    std::uint8_t read();
    /// Writes the data register, then reads it back; fails unless the chip holds `value`.
    void sendVerified(std::uint8_t value);
    /// Programs the EEPROM with `value`, waits the EEPROM's write time, and checks the adapter's answer
    /// and that the data register still holds the value. The caller sends and verifies the value first:
    /// the EEPROM never gets a value the data register did not confirm.
    void program(std::uint8_t value);

  private:
    void wrote();

    adapter::AdapterLibrary& library_;
    Pause pause_;
    AfterWrite afterWrite_;
    std::int16_t selectedModule_ = 0;
};

}  // namespace vcm::station
