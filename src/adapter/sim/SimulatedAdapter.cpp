#include "adapter/sim/SimulatedAdapter.h"

#include <span>
#include <utility>

namespace vcm::adapter {

SimulatedAdapter::SimulatedAdapter(SimulatedChip chip) : chip_(std::move(chip)) {}

std::int16_t SimulatedAdapter::crvHID_connect() {
    return adapterResult::kAdapterOpen;
}

std::int16_t SimulatedAdapter::crvHID_indicateSelectedModule(std::int16_t& /*module*/) {
    return adapterResult::kCallDone;
}

std::int16_t SimulatedAdapter::crvHID_setGPIOConfiguration(std::uint8_t& /*first*/, std::uint8_t& /*second*/,
                                                           std::int32_t& /*mask*/, std::int16_t& /*module*/) {
    return adapterResult::kCallDone;
}

std::int16_t SimulatedAdapter::crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                                std::uint8_t& count, ByteArray& data, ByteArray& /*spare*/,
                                                std::int16_t& /*module*/, std::int32_t& /*status*/) {
    // The caller sizes the array; a short one must fail the call instead of letting the bus write past it.
    if (data.size() < count) {
        return adapterResult::kCallFailed;
    }
    return chip_.read(deviceAddress, registerAddress, std::span<std::uint8_t>(data.data(), count));
}

std::int16_t SimulatedAdapter::crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                                 std::uint8_t& count, ByteArray& data, ByteArray& /*spare*/,
                                                 std::int16_t& /*module*/, std::int32_t& /*status*/) {
    if (data.size() < count) {
        return adapterResult::kCallFailed;
    }
    return chip_.write(deviceAddress, registerAddress, std::span<const std::uint8_t>(data.data(), count));
}

}  // namespace vcm::adapter
