#pragma once

#include "adapter/core/ForwardingAdapter.h"
#include "adapter/sim/SimulatedAdapter.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace vcm::test {

/// The simulated board, with every DCP write on the bus decoded back into the value it carries and
/// handed to `onWrite` before the chip takes it: bit 0 of the device address is bit 0 of the value, bits
/// 7..1 travel in the data byte, whose own bit 0 says data register (1) or EEPROM (0).
class WatchedBoard final : public adapter::ForwardingAdapter {
  public:
    using WriteWatcher = std::function<void(std::uint8_t value, bool toEeprom)>;

    explicit WatchedBoard(std::uint8_t eeprom, WriteWatcher onWrite = {})
        : ForwardingAdapter(board_), board_(adapter::SimulatedChip(eeprom)), onWrite_(std::move(onWrite)) {}

    void watch(WriteWatcher onWrite) { onWrite_ = std::move(onWrite); }
    const adapter::SimulatedChip& chip() const { return board_.chip(); }

    std::int16_t crvHID_doI2CWrite(std::uint8_t& d, std::uint8_t& r, std::uint8_t& c,
                                   adapter::ByteArray& data, adapter::ByteArray& spare, std::int16_t& module,
                                   std::int32_t& status) override {
        if (onWrite_ && !data.empty()) {
            const auto value = static_cast<std::uint8_t>((data[0] & 0xFE) | (d & 0x01));
            onWrite_(value, (data[0] & 0x01) == 0);
        }
        return adapter::ForwardingAdapter::crvHID_doI2CWrite(d, r, c, data, spare, module, status);
    }

  private:
    adapter::SimulatedAdapter board_;
    WriteWatcher onWrite_;
};

}  // namespace vcm::test
