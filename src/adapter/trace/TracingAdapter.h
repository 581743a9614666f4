#pragma once

#include "adapter/core/ForwardingAdapter.h"
#include "adapter/trace/TraceLog.h"

namespace vcm::adapter {

/// Passes every call on to another adapter library unchanged and writes one trace line for it when it
/// returns. Every by-reference argument, scalar or byte array, is shown as the library left it (so a
/// read shows the byte that came back, and a value the library wrote back shows as written). What the
/// library says of itself (simulated, unavailable) is passed on untouched.
class TracingAdapter final : public ForwardingAdapter {
  public:
    /// Both must outlive this adapter.
    TracingAdapter(AdapterLibrary& inner, TraceLog& log);

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

  private:
    TraceLog& log_;
};

}  // namespace vcm::adapter
