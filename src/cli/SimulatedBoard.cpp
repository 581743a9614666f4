#include "cli/SimulatedBoard.h"

#include <utility>

namespace vcm {

SimulatedBoard::SimulatedBoard(SimulatedChip chip, SimFault fault, Changed changed)
    : inner_(std::move(chip)), fault_(fault), changed_(std::move(changed)) {}

std::int16_t SimulatedBoard::crvHID_connect() {
    return inner_.crvHID_connect();
}

std::int16_t SimulatedBoard::crvHID_indicateSelectedModule(std::int16_t& module) {
    return inner_.crvHID_indicateSelectedModule(module);
}

std::int16_t SimulatedBoard::crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second,
                                                         std::int32_t& mask, std::int16_t& module) {
    return inner_.crvHID_setGPIOConfiguration(first, second, mask, module);
}

std::int16_t SimulatedBoard::crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                              std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                              std::int16_t& module, std::int32_t& status) {
    if (fault_ == SimFault::ReadFails) {
        return SimulatedChip::kNoAnswer;
    }
    return inner_.crvHID_doI2CRead(deviceAddress, registerAddress, count, data, spare, module, status);
}

std::int16_t SimulatedBoard::crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                               std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                               std::int16_t& module, std::int32_t& status) {
    if (fault_ == SimFault::WritesLost) {
        return SimulatedChip::kDone;
    }
    const SimulatedChip::State before = state();
    const std::int16_t result =
        inner_.crvHID_doI2CWrite(deviceAddress, registerAddress, count, data, spare, module, status);
    if (changed_ && state() != before) {
        changed_();
    }
    return result;
}

}  // namespace vcm
