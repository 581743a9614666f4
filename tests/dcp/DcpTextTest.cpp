#include "dcp/DcpText.h"

#include <gtest/gtest.h>

namespace vcm {
namespace {

TEST(DcpText, ByteToHexWritesTwoUpperCaseDigits) {
    const struct {
        std::int16_t value;
        const char* text;
    } cases[] = {{0, "00"},   {9, "09"},   {15, "0F"},    {16, "10"}, {171, "AB"},
                 {255, "FF"}, {256, "FF"}, {32767, "FF"}, {-1, "00"}, {-32768, "00"}};
    for (const auto& c : cases) {
        EXPECT_EQ(byteToHex(c.value), QLatin1String(c.text)) << c.value;
    }
}

TEST(DcpText, KeyFiltersOverEveryCode) {
    for (int code = 0; code <= 0xFFFF; ++code) {
        const auto key = static_cast<std::uint16_t>(code);
        const bool control = key == 8 || key == 13;
        const bool digit = key >= '0' && key <= '9';
        const bool upperHex = key >= 'A' && key <= 'F';
        const bool lowerHex = key >= 'a' && key <= 'f';

        std::uint16_t hexKey = key;
        filterHexKey(hexKey);
        const int expectedHex = (control || digit || upperHex) ? key : lowerHex ? key - 32 : 0;
        ASSERT_EQ(hexKey, expectedHex) << "code " << code;

        std::uint16_t decimalKey = key;
        filterDecimalKey(decimalKey);
        ASSERT_EQ(decimalKey, (control || digit) ? key : 0) << "code " << code;
    }
}

TEST(DcpText, TextAndNumberInBothModes) {
    const struct {
        int value;
        bool hex;
        const char* text;
    } texts[] = {{0, true, "00"},      {125, true, "7D"}, {300, true, "FF"},   {70000, true, "FF"},
                 {-70000, true, "00"}, {0, false, "0"},   {125, false, "125"}, {255, false, "255"}};
    for (const auto& c : texts) {
        EXPECT_EQ(dcpText(c.value, c.hex), QLatin1String(c.text)) << c.value;
    }
    const struct {
        const char* text;
        bool hex;
        double value;
    } numbers[] = {{"0A", true, 10},    {"a", true, 10},    {"A", true, 10},     {"", true, 0},
                   {"7 D", true, 125},  {"FFFF", true, -1}, {"255", false, 255}, {"", false, 0},
                   {"1.5", false, 1.5}, {"12x", false, 12}};
    for (const auto& c : numbers) {
        EXPECT_EQ(dcpNumber(QLatin1String(c.text), c.hex), c.value) << c.text;
    }
}

TEST(DcpText, DcpByteTakesOnlyDigitsOfTheMode) {
    const struct {
        QStringView text;
        bool hex;
        std::optional<std::uint8_t> byte;
    } cases[] = {
        {u"7d", true, 125},
        {u"7D", true, 125},
        {u"FF", true, 255},
        {u"0FF", true, 255},
        {u"0", true, 0},
        {u"100", true, std::nullopt},
        {u"", true, std::nullopt},
        {u"7 D", true, std::nullopt},
        {u"G", true, std::nullopt},
        {u"&HFF", true, std::nullopt},
        {u"255", false, 255},
        {u"007", false, 7},
        {u"256", false, std::nullopt},
        {u"", false, std::nullopt},
        {u"1.5", false, std::nullopt},
        {u"-1", false, std::nullopt},
        {u"+1", false, std::nullopt},
        {u" 1", false, 1},
        {u"\t12\n", false, 12},
        {u" 7D ", true, 125},
        {u"   ", false, std::nullopt},
        {u"A", false, std::nullopt},
        {u"\uFF11", false, std::nullopt},
        {u"000000000000000000001", false, 1},
        {u"99999999999", false, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dcpByte(c.text.toString(), c.hex), c.byte) << c.text.toString().toStdString();
    }
}

}  // namespace
}  // namespace vcm
