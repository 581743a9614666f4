#pragma once

// What every back-end of the adapter library answers alike, written once as a typed test suite. A
// back-end takes part with a maker type:
//
//   struct Maker {
//       static constexpr const char* name = "...";  // the back-end, in the test names
//       static constexpr bool present = ...;  // an adapter is there (connect finds it)
//       std::unique_ptr<AdapterLibrary> make();  // null when the back-end cannot be had here (a failure)
//   };
//
// and one INSTANTIATE_TYPED_TEST_SUITE_P(BackEnd, AdapterContract, Makers, MakerNames). A present back-end
// stands for a board whose chip powered on with its data register at `kContractPowerOn`. What one back-end
// answers its own way (trace notes, the bus's log, the bridge's write-backs) stays in its own tests.

#include "I2cCallArgs.h"
#include "adapter/core/AdapterLibrary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

namespace vcm::test {

inline constexpr std::uint8_t kContractPowerOn = 0x80;

template <typename Maker>
class AdapterContract : public ::testing::Test {
  protected:
    void SetUp() override {
        library = maker.make();
        ASSERT_NE(library, nullptr) << "the back-end cannot be had here";
    }

    /// connect as the program makes it first, with the result every back-end gives for its kind.
    void connect() { ASSERT_EQ(library->crvHID_connect(), Maker::present ? 1 : 0); }

    /// The data register as a read returns it (nothing for an absent adapter, whose reads fail).
    std::int16_t readBack(adapter::ByteArray& data) {
        I2CArgs read;
        read.data = {0x00, 0xA5};
        const std::int16_t result = read.read(*library);
        data = read.data;
        return result;
    }

    Maker maker;
    std::unique_ptr<adapter::AdapterLibrary> library;
};

/// Names each instance of the suite after its back-end.
struct MakerNames {
    template <typename Maker>
    static std::string GetName(int /*index*/) {
        return Maker::name;
    }
};

TYPED_TEST_SUITE_P(AdapterContract);

TYPED_TEST_P(AdapterContract, ConnectAndTheConfigurationAnswerForWhetherAnAdapterIsThere) {
    this->connect();
    const std::int16_t expected =
        TypeParam::present ? adapter::adapterResult::kCallDone : adapter::adapterResult::kCallFailed;
    std::int16_t module = 0;
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    std::int32_t mask = -1;
    EXPECT_EQ(this->library->crvHID_indicateSelectedModule(module), expected);
    // The board has one module; the program's module number stays as it gave it.
    EXPECT_EQ(module, 0);
    EXPECT_EQ(this->library->crvHID_setGPIOConfiguration(first, second, mask, module), expected);
    EXPECT_EQ(module, 0);
    EXPECT_FALSE(this->library->unavailable());
}

TYPED_TEST_P(AdapterContract, AWriteToTheDataRegisterIsReadBackInElementZeroOnly) {
    this->connect();
    adapter::ByteArray data;
    if constexpr (TypeParam::present) {
        EXPECT_EQ(this->readBack(data), adapter::adapterResult::kCallDone);
        EXPECT_EQ(data, (adapter::ByteArray{kContractPowerOn, 0xA5}));
    }
    // 0x7D: bit 0 of the value (1) in the address, bit 0 of the data byte (1) picks the data register.
    I2CArgs send;
    send.device = 0x4F;
    send.data = {0x7D, 0x00};
    I2CArgs program;
    program.data = {0x80, 0x00};
    if constexpr (TypeParam::present) {
        EXPECT_EQ(send.write(*this->library), adapter::adapterResult::kCallDone);
        // An EEPROM write leaves the data register as it is.
        EXPECT_EQ(program.write(*this->library), adapter::adapterResult::kCallDone);
        EXPECT_EQ(this->readBack(data), adapter::adapterResult::kCallDone);
        EXPECT_EQ(data, (adapter::ByteArray{0x7D, 0xA5}));
    } else {
        I2CArgs read;
        read.data = {0xA5, 0x5A};
        EXPECT_EQ(read.read(*this->library), adapter::adapterResult::kCallFailed);
        EXPECT_EQ(read.data, (adapter::ByteArray{0xA5, 0x5A}));
        send.data = {0x81, 0x00};
        EXPECT_EQ(send.write(*this->library), adapter::adapterResult::kCallFailed);
        EXPECT_EQ(program.write(*this->library), adapter::adapterResult::kCallFailed);
    }
    // The library reads the data it sends; it does not write into it.
    EXPECT_EQ(send.data,
              (adapter::ByteArray{TypeParam::present ? std::uint8_t{0x7D} : std::uint8_t{0x81}, 0x00}));
}

TYPED_TEST_P(AdapterContract, ACallThatCannotBeRightFailsWithoutTouchingTheDataOrTheChip) {
    struct Case {
        const char* what;
        std::uint8_t device;
        std::uint8_t count;
        adapter::ByteArray data;
    };
    const Case cases[] = {
        {"another device", 0x50, 1, {0x11, 0x22}},
        {"count 0", 0x4E, 0, {0x11, 0x22}},
        {"empty array, one byte", 0x4E, 1, {}},
        {"one element, two bytes", 0x4E, 2, {0xA5}},
        {"two elements, 255 bytes", 0x4E, 255, {0xA5, 0x5A}},
    };
    this->connect();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        I2CArgs args;
        args.device = c.device;
        args.count = c.count;
        args.data = c.data;
        EXPECT_EQ(args.read(*this->library), adapter::adapterResult::kCallFailed);
        EXPECT_EQ(args.data, c.data);
        args.status = 0;  // as the program sets it before every call; the read may have written it
        EXPECT_EQ(args.write(*this->library), adapter::adapterResult::kCallFailed);
        EXPECT_EQ(args.data, c.data);
    }
    if constexpr (TypeParam::present) {
        adapter::ByteArray data;
        EXPECT_EQ(this->readBack(data), adapter::adapterResult::kCallDone);
        EXPECT_EQ(data[0], kContractPowerOn);
    }
}

REGISTER_TYPED_TEST_SUITE_P(AdapterContract, ConnectAndTheConfigurationAnswerForWhetherAnAdapterIsThere,
                            AWriteToTheDataRegisterIsReadBackInElementZeroOnly,
                            ACallThatCannotBeRightFailsWithoutTouchingTheDataOrTheChip);

}  // namespace vcm::test
