#pragma once

#include "adapter/core/AdapterLibrary.h"
#include "adapter/sim/SimulatedChip.h"

namespace vcm::adapter {

/// An adapter that is always present, with a simulated chip on its bus: the program's default, so it
/// runs and is tested without hardware. The module argument is accepted whatever its value, since the
/// simulated board has a single module.
class SimulatedAdapter final : public AdapterLibrary {
  public:
    explicit SimulatedAdapter(SimulatedChip chip);

    /// 1: an adapter is open.
    std::int16_t crvHID_connect() override;
    /// 0, with nothing to indicate.
    std::int16_t crvHID_indicateSelectedModule(std::int16_t& module) override;
    /// 0, with no pins to configure.
    std::int16_t crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second, std::int32_t& mask,
                                             std::int16_t& module) override;
    /// The chip's answer; fills data[0..count-1] on success. Fails (1) when data has fewer than count
    /// elements, leaving it untouched.
    std::int16_t crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                  std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                  std::int16_t& module, std::int32_t& status) override;
    /// The chip's answer to data[0..count-1]. Fails (1) when data has fewer than count elements.
    std::int16_t crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                   std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                   std::int16_t& module, std::int32_t& status) override;

    bool isSimulatedBoard() const override { return true; }

    const SimulatedChip& chip() const { return chip_; }

  private:
    SimulatedChip chip_;
};

}  // namespace vcm::adapter
