#pragma once

#include "adapter/core/AdapterLibrary.h"

#include <cstdint>

namespace vcm::test {

/// The arguments of one I2C call, filled the way the program fills them (data sized count + 1, one
/// spare element, status 0), for tests that call an adapter library directly.
struct I2CArgs {
    std::uint8_t device = 0x4E;
    std::uint8_t reg = 0x00;
    std::uint8_t count = 1;
    adapter::ByteArray data{0x00, 0x00};
    adapter::ByteArray spare{0x00};
    std::int16_t module = 0;
    std::int32_t status = 0;

    std::int16_t read(adapter::AdapterLibrary& library) {
        return library.crvHID_doI2CRead(device, reg, count, data, spare, module, status);
    }
    std::int16_t write(adapter::AdapterLibrary& library) {
        return library.crvHID_doI2CWrite(device, reg, count, data, spare, module, status);
    }
};

}  // namespace vcm::test
