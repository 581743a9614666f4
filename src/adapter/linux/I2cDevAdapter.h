#pragma once

#include "adapter/core/AdapterLibrary.h"
#include "adapter/linux/I2cBuses.h"

#include <QString>

#include <functional>

namespace vcm::adapter {

/// The adapter library over a kernel I2C bus (/dev/i2c-N, the i2c-dev interface): a real chip on any USB
/// to I2C bridge, or a board's own bus, that the kernel drives.
///
/// Device addresses are 7-bit I2C addresses put on the bus as given: the chip answers at 0x4E and 0x4F,
/// and bit 0 of the address carries bit 0 of the value written, so it must never be shifted or masked.
/// Every call blocks at most as long as the kernel's own transfer timeout. When a transfer finds the bus
/// gone (the bridge unplugged), the handle is closed at once; calls fail until a connection succeeds.
class I2cDevAdapter final : public AdapterLibrary {
  public:
    /// Receives one finished line.
    using Sink = std::function<void(const QString&)>;

    /// `locate` names the node at each connection; `problems` gets one plain line saying why a connection
    /// attempt failed; `notes` gets one "i2c:" line for each transfer that failed (the trace). Either
    /// sink may be empty.
    I2cDevAdapter(I2cBusLocator locate, Sink problems, Sink notes);
    ~I2cDevAdapter() override;
    I2cDevAdapter(const I2cDevAdapter&) = delete;
    I2cDevAdapter& operator=(const I2cDevAdapter&) = delete;

    /// Closes the bus opened before, then opens the node read-write and checks that it can do plain I2C
    /// transfers: 1 when it can, 0 (with the reason on `problems`) when there is no such node, no
    /// permission, or no I2C bus behind it.
    std::int16_t crvHID_connect() override;
    /// 0: a plain bus has no modules to indicate.
    std::int16_t crvHID_indicateSelectedModule(std::int16_t& module) override;
    /// 0: a plain bus has no pins to configure.
    std::int16_t crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second, std::int32_t& mask,
                                             std::int16_t& module) override;
    /// One combined transfer: write [register], repeated start, read count bytes into data[0..count-1].
    /// 0 on success; 1 on any failure, with data untouched.
    std::int16_t crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                  std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                  std::int16_t& module, std::int32_t& status) override;
    /// One message [register, data[0..count-1]] to the device. 0 on success, 1 on any failure.
    std::int16_t crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                   std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                   std::int16_t& module, std::int32_t& status) override;

  private:
    /// Why a transfer with these arguments must not reach the bus, or empty when it may.
    QString refusal(std::uint8_t deviceAddress, std::uint8_t count, const ByteArray& data) const;
    void closeBus();
    /// After a failed transfer: lets go of the bus when the kernel says its adapter is gone.
    void failed(int error);

    I2cBusLocator locate_;
    Sink problems_;
    Sink notes_;
    int fd_ = -1;
};

}  // namespace vcm::adapter
