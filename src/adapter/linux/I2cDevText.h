#pragma once

#include "adapter/core/AdapterLibrary.h"

#include <QString>

#include <cstdint>

namespace vcm::adapter {

// The words the kernel I2C back-end uses when something fails: one plain line on stderr for a failed
// connection, one "i2c:" trace note for a failed transfer. Pure, so each text is checked on its own.

/// The step of a connection attempt that failed.
enum class I2cConnectStep {
    Open,       ///< opening the device node
    Functions,  ///< asking the node what transfers it can do (fails on anything but an I2C bus)
    PlainI2c,   ///< the bus answered but cannot do plain I2C transfers (an SMBus-only controller)
};

/// "/dev/i2c-3: permission denied; add yourself to the i2c group or see README". `error` is the errno
/// value of the failed step (not used for PlainI2c).
QString i2cConnectFailure(const QString& node, I2cConnectStep step, int error);

/// "i2c: write to 0x50 [00 01] failed: No such device or address": the message as it went on the bus and
/// the kernel's error text.
QString i2cWriteFailure(std::uint8_t address, const ByteArray& message, int error);

/// "i2c: read of 1 byte from 0x4E register 0x00 failed: No such device".
QString i2cReadFailure(std::uint8_t address, std::uint8_t registerAddress, std::uint8_t count, int error);

/// "i2c: <why>; nothing sent", for a call refused before it reached the bus.
QString i2cRefused(const QString& why);

}  // namespace vcm::adapter
