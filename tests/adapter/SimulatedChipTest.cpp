#include "adapter/sim/SimulatedChip.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

namespace vcm::test {
namespace {

// A power-on value none of the round trips uses, so a write that lands in the wrong place shows.
constexpr std::uint8_t kPowerOn = 0x33;

struct RoundTrip {
    std::uint8_t value;
    std::uint8_t deviceAddress;  // 0x4E + bit 0 of the value
    std::uint8_t sendByte;       // value with bit 0 set: the data register
    std::uint8_t eepromByte;     // value with bit 0 clear: the EEPROM
    const char* hex;
};

void PrintTo(const RoundTrip& c, std::ostream* os) {
    *os << "0x" << c.hex;
}

class SimulatedChipRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(SimulatedChipRoundTrip, SendStoresTheValueInTheDataRegisterAndReadsItBack) {
    const RoundTrip& c = GetParam();
    QStringList notes;
    adapter::SimulatedChip chip(kPowerOn, [&](const QString& note) { notes.append(note); });

    const std::array<std::uint8_t, 1> sent{c.sendByte};
    EXPECT_EQ(chip.write(c.deviceAddress, 0x00, sent), adapter::adapterResult::kCallDone);
    std::array<std::uint8_t, 1> read{0xA5};
    EXPECT_EQ(chip.read(0x4E, 0x00, read), adapter::adapterResult::kCallDone);

    EXPECT_EQ(read[0], c.value);
    EXPECT_EQ(chip.eeprom(), kPowerOn);
    EXPECT_EQ(notes, QStringList{QStringLiteral("sim: data register 0x%1").arg(QLatin1String(c.hex))});
}

TEST_P(SimulatedChipRoundTrip, EepromWriteStoresTheValueAndLeavesTheDataRegister) {
    const RoundTrip& c = GetParam();
    QStringList notes;
    adapter::SimulatedChip chip(kPowerOn, [&](const QString& note) { notes.append(note); });

    const std::array<std::uint8_t, 1> sent{c.eepromByte};
    EXPECT_EQ(chip.write(c.deviceAddress, 0x00, sent), adapter::adapterResult::kCallDone);
    std::array<std::uint8_t, 1> read{0xA5};
    EXPECT_EQ(chip.read(0x4E, 0x00, read), adapter::adapterResult::kCallDone);

    EXPECT_EQ(chip.eeprom(), c.value);
    EXPECT_EQ(read[0], kPowerOn);
    EXPECT_EQ(notes, QStringList{QStringLiteral("sim: EEPROM 0x%1").arg(QLatin1String(c.hex))});
}

INSTANTIATE_TEST_SUITE_P(
    Values, SimulatedChipRoundTrip,
    ::testing::Values(RoundTrip{0x00, 0x4E, 0x01, 0x00, "00"}, RoundTrip{0x7D, 0x4F, 0x7D, 0x7C, "7D"},
                      RoundTrip{0x80, 0x4E, 0x81, 0x80, "80"}, RoundTrip{0xFF, 0x4F, 0xFF, 0xFE, "FF"}),
    [](const ::testing::TestParamInfo<RoundTrip>& param) { return std::string("x") + param.param.hex; });

TEST(SimulatedChipPowerOn, LoadsTheEepromIntoTheDataRegister) {
    for (const std::uint8_t eeprom : {std::uint8_t{0x00}, std::uint8_t{0x80}, std::uint8_t{0xFF}}) {
        adapter::SimulatedChip chip(eeprom);
        std::array<std::uint8_t, 1> read{0xA5};
        EXPECT_EQ(chip.read(0x4E, 0x00, read), adapter::adapterResult::kCallDone);
        EXPECT_EQ(read[0], eeprom);
        EXPECT_EQ(chip.eeprom(), eeprom);
    }
}

struct Refused {
    const char* what;
    std::uint8_t deviceAddress;
    std::uint8_t registerAddress;
    std::size_t count;
};

// Transfers a real bus would leave unanswered: wrong device, missing register, a read at the odd address
// (the chip reads only at 0x4E), and lengths other than the one byte the single register holds.
constexpr std::array<Refused, 8> kRefused{{
    {"another device", 0x50, 0x00, 1},
    {"the device below", 0x4D, 0x00, 1},
    {"register 0x01", 0x4E, 0x01, 1},
    {"register 0xFF", 0x4F, 0xFF, 1},
    {"no byte", 0x4E, 0x00, 0},
    {"two bytes", 0x4E, 0x00, 2},
    {"two bytes at 0x4F", 0x4F, 0x00, 2},
    {"odd address, register 0x01", 0x4F, 0x01, 1},
}};

TEST(SimulatedChipRefuses, ReadsItDoesNotAnswerAndLeavesTheBuffer) {
    for (const Refused& c : kRefused) {
        SCOPED_TRACE(c.what);
        adapter::SimulatedChip chip(0x42);
        std::array<std::uint8_t, 2> buffer{0xA5, 0x5A};
        EXPECT_EQ(chip.read(c.deviceAddress, c.registerAddress, std::span(buffer.data(), c.count)),
                  adapter::adapterResult::kCallFailed);
        EXPECT_EQ(buffer, (std::array<std::uint8_t, 2>{0xA5, 0x5A}));
    }
}

TEST(SimulatedChipRefuses, ReadAtTheOddAddress) {
    adapter::SimulatedChip chip(0x42);
    std::array<std::uint8_t, 1> buffer{0xA5};
    EXPECT_EQ(chip.read(0x4F, 0x00, buffer), adapter::adapterResult::kCallFailed);
    EXPECT_EQ(buffer[0], 0xA5);
}

TEST(SimulatedChipRefuses, WritesItDoesNotAnswerAndStoresNothing) {
    for (const Refused& c : kRefused) {
        SCOPED_TRACE(c.what);
        QStringList notes;
        adapter::SimulatedChip chip(0x42, [&](const QString& note) { notes.append(note); });
        const std::array<std::uint8_t, 2> bytes{0x11, 0x10};
        EXPECT_EQ(chip.write(c.deviceAddress, c.registerAddress, std::span(bytes.data(), c.count)),
                  adapter::adapterResult::kCallFailed);
        EXPECT_EQ(chip.dataRegister(), 0x42);
        EXPECT_EQ(chip.eeprom(), 0x42);
        EXPECT_TRUE(notes.isEmpty());
    }
}

}  // namespace
}  // namespace vcm::test
