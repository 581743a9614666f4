#pragma once

#include "adapter/core/ForwardingAdapter.h"
#include "adapter/sim/SimFault.h"
#include "adapter/sim/SimulatedAdapter.h"

#include <functional>

namespace vcm::adapter {

/// The simulated board as the command-line tool uses it: the window's simulated adapter and chip, plus
/// a fault it can be told to have, so that a failing read or a value the chip did not take can be tried
/// without hardware. Without a fault it answers exactly as SimulatedAdapter does.
class SimulatedBoard final : public ForwardingAdapter {
  public:
    /// Runs right after a write that changed the chip, before the call returns (the tool saves the board
    /// there, so that an interrupted run never leaves its file behind the chip); may throw.
    using Changed = std::function<void()>;

    SimulatedBoard(SimulatedChip chip, SimFault fault, Changed changed = {});

    /// Fails with ReadFails, leaving `data` as it was.
    std::int16_t crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                  std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                  std::int16_t& module, std::int32_t& status) override;
    /// With WritesLost answers done but the chip never sees the write.
    std::int16_t crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                   std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                   std::int16_t& module, std::int32_t& status) override;

    SimulatedChip::State state() const { return board_.chip().state(); }

  private:
    SimulatedAdapter board_;
    SimFault fault_;
    Changed changed_;
};

}  // namespace vcm::adapter
