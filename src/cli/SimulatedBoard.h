#pragma once

#include "adapter/AdapterLibrary.h"
#include "adapter/SimulatedAdapter.h"
#include "cli/Invocation.h"

#include <functional>

namespace vcm {

/// The simulated board as the tool uses it: the window's simulated adapter and chip, plus a fault it can
/// be told to have, so that a failing read or a value the chip did not take can be tried without
/// hardware. Without a fault it answers exactly as SimulatedAdapter does.
class SimulatedBoard final : public AdapterLibrary {
  public:
    /// Runs right after a write that changed the chip, before the call returns (the tool saves the board
    /// there, so that an interrupted run never leaves its file behind the chip); may throw.
    using Changed = std::function<void()>;

    SimulatedBoard(SimulatedChip chip, SimFault fault, Changed changed = {});

    std::int16_t crvHID_connect() override;
    std::int16_t crvHID_indicateSelectedModule(std::int16_t& module) override;
    std::int16_t crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second, std::int32_t& mask,
                                             std::int16_t& module) override;
    /// Fails (1) with ReadFails, leaving `data` as it was.
    std::int16_t crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                  std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                  std::int16_t& module, std::int32_t& status) override;
    /// With WritesLost answers 0 (done) but the chip never sees the write.
    std::int16_t crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                   std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                   std::int16_t& module, std::int32_t& status) override;

    SimulatedChip::State state() const { return inner_.chip().state(); }

  private:
    SimulatedAdapter inner_;
    SimFault fault_;
    Changed changed_;
};

}  // namespace vcm
