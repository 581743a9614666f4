#include "adapter/sim/SimulatedBoard.h"

#include <utility>

namespace vcm::adapter {

// The base only keeps the reference to board_; it makes no call through it before board_ is built.
SimulatedBoard::SimulatedBoard(SimulatedChip chip, SimFault fault, Changed changed)
    : ForwardingAdapter(board_), board_(std::move(chip)), fault_(fault), changed_(std::move(changed)) {}

std::int16_t SimulatedBoard::crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                              std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                              std::int16_t& module, std::int32_t& status) {
    if (fault_ == SimFault::ReadFails) {
        return adapterResult::kCallFailed;
    }
    return ForwardingAdapter::crvHID_doI2CRead(deviceAddress, registerAddress, count, data, spare, module,
                                               status);
}

std::int16_t SimulatedBoard::crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                               std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                               std::int16_t& module, std::int32_t& status) {
    if (fault_ == SimFault::WritesLost) {
        return adapterResult::kCallDone;
    }
    // Bit 0 of the data byte clear selects the EEPROM.
    if (fault_ == SimFault::EepromFails && !data.empty() && (data[0] & 1) == 0) {
        return adapterResult::kCallFailed;
    }
    const SimulatedChip::State before = state();
    const std::int16_t result = ForwardingAdapter::crvHID_doI2CWrite(deviceAddress, registerAddress, count,
                                                                     data, spare, module, status);
    if (changed_ && state() != before) {
        changed_();
    }
    return result;
}

}  // namespace vcm::adapter
