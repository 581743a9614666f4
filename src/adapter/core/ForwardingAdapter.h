#pragma once

#include "adapter/core/AdapterLibrary.h"

namespace vcm::adapter {

/// Passes every call, and both questions about the library, on to another library unchanged: a
/// decorator derives from it and overrides only the calls it changes.
class ForwardingAdapter : public AdapterLibrary {
  public:
    std::int16_t crvHID_connect() override { return inner_.crvHID_connect(); }
    std::int16_t crvHID_indicateSelectedModule(std::int16_t& module) override {
        return inner_.crvHID_indicateSelectedModule(module);
    }
    std::int16_t crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second, std::int32_t& mask,
                                             std::int16_t& module) override {
        return inner_.crvHID_setGPIOConfiguration(first, second, mask, module);
    }
    std::int16_t crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                  std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                  std::int16_t& module, std::int32_t& status) override {
        return inner_.crvHID_doI2CRead(deviceAddress, registerAddress, count, data, spare, module, status);
    }
    std::int16_t crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                   std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                   std::int16_t& module, std::int32_t& status) override {
        return inner_.crvHID_doI2CWrite(deviceAddress, registerAddress, count, data, spare, module, status);
    }
    bool isSimulatedBoard() const override { return inner_.isSimulatedBoard(); }
    std::optional<QString> unavailable() const override { return inner_.unavailable(); }

  protected:
    /// `inner` must outlive this adapter (a derived class may own it, as a member declared before it
    /// is handed here).
    explicit ForwardingAdapter(AdapterLibrary& inner) : inner_(inner) {}

    AdapterLibrary& inner() const { return inner_; }

  private:
    AdapterLibrary& inner_;
};

}  // namespace vcm::adapter
