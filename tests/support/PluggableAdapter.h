#pragma once

#include "adapter/core/AbsentAdapter.h"
#include "adapter/sim/SimulatedAdapter.h"

#include <cstdint>
#include <utility>

namespace vcm::test {

/// A board that can be plugged in and out between calls: the simulated board, or no adapter at all.
class PluggableAdapter final : public adapter::AdapterLibrary {
  public:
    explicit PluggableAdapter(adapter::SimulatedChip chip) : board_(std::move(chip)) {}
    bool plugged = true;

    std::int16_t crvHID_connect() override { return lib().crvHID_connect(); }
    std::int16_t crvHID_indicateSelectedModule(std::int16_t& module) override {
        return lib().crvHID_indicateSelectedModule(module);
    }
    std::int16_t crvHID_setGPIOConfiguration(std::uint8_t& a, std::uint8_t& b, std::int32_t& mask,
                                             std::int16_t& module) override {
        return lib().crvHID_setGPIOConfiguration(a, b, mask, module);
    }
    std::int16_t crvHID_doI2CRead(std::uint8_t& d, std::uint8_t& r, std::uint8_t& c, adapter::ByteArray& data,
                                  adapter::ByteArray& spare, std::int16_t& module,
                                  std::int32_t& status) override {
        return lib().crvHID_doI2CRead(d, r, c, data, spare, module, status);
    }
    std::int16_t crvHID_doI2CWrite(std::uint8_t& d, std::uint8_t& r, std::uint8_t& c,
                                   adapter::ByteArray& data, adapter::ByteArray& spare, std::int16_t& module,
                                   std::int32_t& status) override {
        return lib().crvHID_doI2CWrite(d, r, c, data, spare, module, status);
    }
    const adapter::SimulatedChip& chip() const { return board_.chip(); }

  private:
    adapter::AdapterLibrary& lib() { return plugged ? static_cast<AdapterLibrary&>(board_) : absent_; }
    adapter::SimulatedAdapter board_;
    adapter::AbsentAdapter absent_;
};

}  // namespace vcm::test
