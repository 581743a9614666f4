#include "adapter/core/AbsentAdapter.h"

namespace vcm::adapter {

std::int16_t AbsentAdapter::crvHID_connect() {
    return adapterResult::kNoAdapterFound;
}

std::int16_t AbsentAdapter::crvHID_indicateSelectedModule(std::int16_t& /*module*/) {
    return adapterResult::kCallFailed;
}

std::int16_t AbsentAdapter::crvHID_setGPIOConfiguration(std::uint8_t& /*first*/, std::uint8_t& /*second*/,
                                                        std::int32_t& /*mask*/, std::int16_t& /*module*/) {
    return adapterResult::kCallFailed;
}

std::int16_t AbsentAdapter::crvHID_doI2CRead(std::uint8_t& /*deviceAddress*/,
                                             std::uint8_t& /*registerAddress*/, std::uint8_t& /*count*/,
                                             ByteArray& /*data*/, ByteArray& /*spare*/,
                                             std::int16_t& /*module*/, std::int32_t& /*status*/) {
    return adapterResult::kCallFailed;
}

std::int16_t AbsentAdapter::crvHID_doI2CWrite(std::uint8_t& /*deviceAddress*/,
                                              std::uint8_t& /*registerAddress*/, std::uint8_t& /*count*/,
                                              ByteArray& /*data*/, ByteArray& /*spare*/,
                                              std::int16_t& /*module*/, std::int32_t& /*status*/) {
    return adapterResult::kCallFailed;
}

}  // namespace vcm::adapter
