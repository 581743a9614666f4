#pragma once

#include "adapter/core/AdapterLibrary.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <span>

namespace vcm::adapter {

/// Model of the VCM7310's DCP as seen over I2C: a volatile data register and an EEPROM whose value the
/// chip loads into the data register at power-on. Constructing it is the power-on.
///
/// The chip answers on device addresses 0x4E and 0x4F and has the single register 0x00. A write carries
/// one data byte: bit 0 of the data picks the target (1 the data register, 0 the EEPROM) and bit 0 of the
/// device address supplies bit 0 of the stored value. A read is answered only at 0x4E and returns the
/// whole data register.
class SimulatedChip {
  public:
    static constexpr std::uint8_t kWriteAddressEven = 0x4E;
    static constexpr std::uint8_t kWriteAddressOdd = 0x4F;
    static constexpr std::uint8_t kReadAddress = 0x4E;
    static constexpr std::uint8_t kDcpRegister = 0x00;

    /// Receives a line such as "sim: data register 0x7D" for every value stored.
    using NoteSink = std::function<void(const QString&)>;

    /// What the chip remembers: enough to carry a powered board from one process to the next.
    struct State {
        std::uint8_t dataRegister = 0;
        std::uint8_t eeprom = 0;

        friend bool operator==(const State&, const State&) = default;
    };

    explicit SimulatedChip(std::uint8_t eepromAtPowerOn, NoteSink notes = {});
    /// A chip that has been powered all along and holds `state`.
    explicit SimulatedChip(State state, NoteSink notes = {});

    // A transaction the chip takes answers adapterResult::kCallDone; anything it does not take fails with
    // adapterResult::kCallFailed, as the library does for a transfer nobody acknowledged.

    /// Writes the bytes to a register. Takes exactly one byte at 0x4E or 0x4F, register 0x00.
    std::int16_t write(std::uint8_t deviceAddress, std::uint8_t registerAddress,
                       std::span<const std::uint8_t> bytes);
    /// Reads as many bytes as `into` holds from a register. Takes exactly one byte at 0x4E, register
    /// 0x00; `into` is left as it was when the read fails.
    std::int16_t read(std::uint8_t deviceAddress, std::uint8_t registerAddress, std::span<std::uint8_t> into);

    std::uint8_t dataRegister() const { return dataRegister_; }
    std::uint8_t eeprom() const { return eeprom_; }
    State state() const { return {dataRegister_, eeprom_}; }

  private:
    void note(const QString& text) const;

    std::uint8_t dataRegister_;
    std::uint8_t eeprom_;
    NoteSink notes_;
};

}  // namespace vcm::adapter
