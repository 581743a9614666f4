#pragma once

#include "adapter/core/AdapterLibrary.h"

#include <gmock/gmock.h>

namespace vcm::test {

/// Records the library calls and answers them as each test sets up.
class MockAdapterLibrary : public adapter::AdapterLibrary {
  public:
    MOCK_METHOD(std::int16_t, crvHID_connect, (), (override));
    MOCK_METHOD(std::int16_t, crvHID_indicateSelectedModule, (std::int16_t&), (override));
    MOCK_METHOD(std::int16_t, crvHID_setGPIOConfiguration,
                (std::uint8_t&, std::uint8_t&, std::int32_t&, std::int16_t&), (override));
    MOCK_METHOD(std::int16_t, crvHID_doI2CRead,
                (std::uint8_t&, std::uint8_t&, std::uint8_t&, adapter::ByteArray&, adapter::ByteArray&,
                 std::int16_t&, std::int32_t&),
                (override));
    MOCK_METHOD(std::int16_t, crvHID_doI2CWrite,
                (std::uint8_t&, std::uint8_t&, std::uint8_t&, adapter::ByteArray&, adapter::ByteArray&,
                 std::int16_t&, std::int32_t&),
                (override));
};

}  // namespace vcm::test
