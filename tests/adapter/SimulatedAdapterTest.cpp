#include "I2cCallArgs.h"
#include "adapter/sim/SimulatedAdapter.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vcm::test {
namespace {

using test::I2CArgs;

// Presence, the configuration calls, the read-back in element zero and the failures that leave the data
// as it was are the contract of every back-end (AdapterContract.h); here is what only the chip shows.

TEST(SimulatedAdapter, WriteReachesTheChip) {
    adapter::SimulatedAdapter adapter{adapter::SimulatedChip(0x00)};
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
    adapter::ByteArray data;
};

// That the calls fail and leave the array as it was is the contract's; here, that the chip saw nothing.
TEST(SimulatedAdapter, AShortDataArrayNeverReachesTheChip) {
    const ShortArray cases[] = {
        {"empty array, one byte", 1, {}},
        {"one element, two bytes", 2, {0xA5}},
        {"two elements, 255 bytes", 255, {0xA5, 0x5A}},
    };
    for (const ShortArray& c : cases) {
        SCOPED_TRACE(c.what);
        adapter::SimulatedAdapter adapter{adapter::SimulatedChip(0x42)};
        I2CArgs read;
        read.count = c.count;
        read.data = c.data;
        (void)read.read(adapter);
        I2CArgs write;
        write.count = c.count;
        write.data = c.data;
        (void)write.write(adapter);
        EXPECT_EQ(adapter.chip().dataRegister(), 0x42);
        EXPECT_EQ(adapter.chip().eeprom(), 0x42);
    }
}

}  // namespace
}  // namespace vcm::test
