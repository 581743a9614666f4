#include "I2cCallArgs.h"
#include "adapter/AbsentAdapter.h"
#include "adapter/SimulatedAdapter.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vcm {
namespace {

using test::I2CArgs;

TEST(SimulatedAdapter, IsAlwaysPresentAndAcceptsTheConfiguration) {
    SimulatedAdapter adapter{SimulatedChip(0x80)};
    std::int16_t module = 0;
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    std::int32_t mask = -1;
    EXPECT_EQ(adapter.crvHID_connect(), 1);
    EXPECT_EQ(adapter.crvHID_indicateSelectedModule(module), 0);
    EXPECT_EQ(adapter.crvHID_setGPIOConfiguration(first, second, mask, module), 0);
}

TEST(SimulatedAdapter, ReadFillsElementZeroOnly) {
    SimulatedAdapter adapter{SimulatedChip(0x7D)};
    I2CArgs args;
    args.data = {0x00, 0xA5};
    EXPECT_NE(args.read(adapter), 1);
    EXPECT_EQ(args.data, (ByteArray{0x7D, 0xA5}));
}

TEST(SimulatedAdapter, WriteReachesTheChip) {
    SimulatedAdapter adapter{SimulatedChip(0x00)};
    I2CArgs send;
    send.device = 0x4F;
    send.data = {0x7D, 0x00};
    EXPECT_EQ(send.write(adapter), 0);
    I2CArgs program;
    program.data = {0x80, 0x00};
    EXPECT_EQ(program.write(adapter), 0);
    EXPECT_EQ(adapter.chip().dataRegister(), 0x7D);
    EXPECT_EQ(adapter.chip().eeprom(), 0x80);
}

struct ShortArray {
    const char* what;
    std::uint8_t count;
    ByteArray data;
};

TEST(SimulatedAdapter, FailsInsteadOfOverrunningAShortDataArray) {
    const ShortArray cases[] = {
        {"empty array, one byte", 1, {}},
        {"one element, two bytes", 2, {0xA5}},
        {"two elements, 255 bytes", 255, {0xA5, 0x5A}},
    };
    for (const ShortArray& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedAdapter adapter{SimulatedChip(0x42)};
        I2CArgs read;
        read.count = c.count;
        read.data = c.data;
        EXPECT_EQ(read.read(adapter), 1);
        EXPECT_EQ(read.data, c.data);

        I2CArgs write;
        write.count = c.count;
        write.data = c.data;
        EXPECT_EQ(write.write(adapter), 1);
        EXPECT_EQ(adapter.chip().dataRegister(), 0x42);
        EXPECT_EQ(adapter.chip().eeprom(), 0x42);
    }
}

TEST(AbsentAdapter, FindsNoAdapterAndFailsEveryTransfer) {
    AbsentAdapter adapter;
    EXPECT_EQ(adapter.crvHID_connect(), 0);

    I2CArgs read;
    read.data = {0xA5, 0x5A};
    EXPECT_EQ(read.read(adapter), 1);
    EXPECT_EQ(read.data, (ByteArray{0xA5, 0x5A}));

    I2CArgs write;
    write.data = {0x81, 0x00};
    EXPECT_EQ(write.write(adapter), 1);
    EXPECT_EQ(write.data, (ByteArray{0x81, 0x00}));
}

}  // namespace
}  // namespace vcm
