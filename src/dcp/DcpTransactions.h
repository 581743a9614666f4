#pragma once

#include "adapter/core/AdapterLibrary.h"

#include <cstdint>
#include <optional>

namespace vcm::dcp {

/// The chip's DCP lives at device address 0x4E, register 0x00. A write carries the value split over two
/// bytes: bit 0 of the value travels as bit 0 of the device address (0x4E even, 0x4F odd), bits 7..1 in
/// the data byte, whose own bit 0 selects the target (1: data register, 0: EEPROM).
inline constexpr std::uint8_t kDcpDeviceAddress = 0x4E;
inline constexpr std::uint8_t kDcpRegister = 0x00;

/// The EEPROM needs this long after a write before the chip takes the next transaction.
inline constexpr int kEepromWritePauseMs = 100;

struct DcpWrite {
    std::uint8_t deviceAddress;
    std::uint8_t dataByte;
};

constexpr DcpWrite dataRegisterWrite(std::uint8_t value) {
    return {static_cast<std::uint8_t>(kDcpDeviceAddress + (value & 1)),
            static_cast<std::uint8_t>(value | 0x01)};
}

constexpr DcpWrite eepromWrite(std::uint8_t value) {
    return {static_cast<std::uint8_t>(kDcpDeviceAddress + (value & 1)),
            static_cast<std::uint8_t>(value & 0xFE)};
}

/// One read of the data register; nullopt when the library answers 1 (failed).
std::optional<std::uint8_t> readDataRegister(adapter::AdapterLibrary& library, std::int16_t& module);

/// One write through the library, with freshly prepared buffers. Returns the library's answer, which the
/// window does not examine and the command-line tool does (adapterResult::kCallFailed: failed).
std::int16_t writeDcp(adapter::AdapterLibrary& library, DcpWrite write, std::int16_t& module);

}  // namespace vcm::dcp
