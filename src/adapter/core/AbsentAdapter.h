#pragma once

#include "adapter/core/AdapterLibrary.h"

namespace vcm::adapter {

/// The library as it answers when no adapter is plugged in: connect finds none (0) and every other call
/// fails (1) without touching its arguments.
class AbsentAdapter final : public AdapterLibrary {
  public:
    std::int16_t crvHID_connect() override;
    std::int16_t crvHID_indicateSelectedModule(std::int16_t& module) override;
    std::int16_t crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second, std::int32_t& mask,
                                             std::int16_t& module) override;
    std::int16_t crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                  std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                  std::int16_t& module, std::int32_t& status) override;
    std::int16_t crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                   std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                   std::int16_t& module, std::int32_t& status) override;
};

}  // namespace vcm::adapter
