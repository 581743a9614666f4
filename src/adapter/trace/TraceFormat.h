#pragma once

#include "adapter/core/AdapterLibrary.h"

#include <QString>

#include <cstdint>

namespace vcm::adapter {

// Pure text forms of the adapter trace, one function per piece so each can be checked on its own.
// Bytes and addresses are "0xHH", byte arrays "[HH HH]" (upper-case digits), all other integers decimal.

/// "0x4F": a byte value or address.
QString traceByte(std::uint8_t value);

/// "[7D 00]": every element of a byte array, "[]" when it is empty.
QString traceBytes(const ByteArray& bytes);

/// Milliseconds with one decimal, always with a point whatever the process locale ("812.4").
QString traceTime(double milliseconds);

/// One finished line: "<time> <text>".
QString traceLine(double milliseconds, const QString& text);

/// "crvHID_connect() = 1".
QString traceConnect(std::int16_t result);

/// "crvHID_indicateSelectedModule(0) = 0".
QString traceIndicateSelectedModule(std::int16_t module, std::int16_t result);

/// "crvHID_setGPIOConfiguration(0x00, 0x00, -1, 0) = 0".
QString traceSetGPIOConfiguration(std::uint8_t first, std::uint8_t second, std::int32_t mask,
                                  std::int16_t module, std::int16_t result);

/// The arguments of one I2C call, in the library's order.
struct I2CCallText {
    std::uint8_t deviceAddress = 0;
    std::uint8_t registerAddress = 0;
    std::uint8_t count = 0;
    const ByteArray& data;
    const ByteArray& spare;
    std::int16_t module = 0;
    std::int32_t status = 0;
};

/// "crvHID_doI2CWrite(0x4F, 0x00, 1, [7D 00], [00], 0, 0) = 0"; `function` names the call.
QString traceI2C(const QString& function, const I2CCallText& call, std::int16_t result);

}  // namespace vcm::adapter
