#include "adapter/sim/SimulatedChip.h"

#include "adapter/trace/TraceFormat.h"

#include <utility>

namespace vcm::adapter {

SimulatedChip::SimulatedChip(std::uint8_t eepromAtPowerOn, NoteSink notes)
    : dataRegister_(eepromAtPowerOn), eeprom_(eepromAtPowerOn), notes_(std::move(notes)) {}

SimulatedChip::SimulatedChip(State state, NoteSink notes)
    : dataRegister_(state.dataRegister), eeprom_(state.eeprom), notes_(std::move(notes)) {}

std::int16_t SimulatedChip::write(std::uint8_t deviceAddress, std::uint8_t registerAddress,
                                  std::span<const std::uint8_t> bytes) {
    const bool addressed = deviceAddress == kWriteAddressEven || deviceAddress == kWriteAddressOdd;
    // A second byte would go to register 0x01, which the chip does not have: the transfer is refused
    // whole rather than half-done.
    if (!addressed || registerAddress != kDcpRegister || bytes.size() != 1) {
        return adapterResult::kCallFailed;
    }
    const std::uint8_t data = bytes[0];
    // Seven bits travel in the data byte, the eighth in the address; bit 0 of the data picks the target.
    const auto value = static_cast<std::uint8_t>((data & 0xFEU) | (deviceAddress & 0x01U));
    if ((data & 0x01U) != 0) {
        dataRegister_ = value;
        note(QStringLiteral("sim: data register ") + traceByte(value));
    } else {
        eeprom_ = value;
        note(QStringLiteral("sim: EEPROM ") + traceByte(value));
    }
    return adapterResult::kCallDone;
}

std::int16_t SimulatedChip::read(std::uint8_t deviceAddress, std::uint8_t registerAddress,
                                 std::span<std::uint8_t> into) {
    if (deviceAddress != kReadAddress || registerAddress != kDcpRegister || into.size() != 1) {
        return adapterResult::kCallFailed;
    }
    into[0] = dataRegister_;
    return adapterResult::kCallDone;
}

void SimulatedChip::note(const QString& text) const {
    if (notes_) {
        notes_(text);
    }
}

}  // namespace vcm::adapter
