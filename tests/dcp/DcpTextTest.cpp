#include "dcp/DcpText.h"

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

TEST(DcpText, ByteToHexWritesTwoUpperCaseDigits) {
    const struct {
        std::int16_t value;
        const char* text;
    } cases[] = {{0, "00"},   {9, "09"},   {15, "0F"},    {16, "10"}, {171, "AB"},
                 {255, "FF"}, {256, "FF"}, {32767, "FF"}, {-1, "00"}, {-32768, "00"}};
    for (const auto& c : cases) {
        EXPECT_EQ(dcp::byteToHex(c.value), QLatin1String(c.text)) << c.value;
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
        dcp::filterHexKey(hexKey);
        const int expectedHex = (control || digit || upperHex) ? key : lowerHex ? key - 32 : 0;
        ASSERT_EQ(hexKey, expectedHex) << "code " << code;

        std::uint16_t decimalKey = key;
        dcp::filterDecimalKey(decimalKey);
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
        EXPECT_EQ(dcp::dcpText(c.value, c.hex), QLatin1String(c.text)) << c.value;
    }
    const struct {
        const char* text;
        bool hex;
        double value;
    } numbers[] = {{"0A", true, 10},    {"a", true, 10},    {"A", true, 10},     {"", true, 0},
                   {"7 D", true, 125},  {"FFFF", true, -1}, {"255", false, 255}, {"", false, 0},
                   {"1.5", false, 1.5}, {"12x", false, 12}};
    for (const auto& c : numbers) {
        EXPECT_EQ(dcp::dcpNumber(QLatin1String(c.text), c.hex), c.value) << c.text;
    }
}

// One text, three readings: where the change rule puts the slider, the calculator's D, and what a send
// may put on the bus. A send either carries the slider's value or is refused, whatever was pasted.
TEST(DcpText, SliderCalculatorAndSendReadTheSameValueOrTheSendIsRefused) {
    constexpr std::optional<std::uint8_t> none = std::nullopt;
    const struct {
        QStringView text;
        bool hex;
        int slider;
        std::optional<std::uint8_t> calc;
        std::optional<std::uint8_t> send;
    } cases[] = {
        {u"7d", true, 125, 125, 125},
        {u"0FF", true, 255, 255, 255},
        {u"7 D", true, 125, 125, 125},  // blanks are ignored anywhere
        {u" 7D\t", true, 125, 125, 125},
        {u"", true, 0, none, none},
        {u"G", true, 0, none, none},
        {u"1.5", true, 1, none, none},
        {u"100", true, 255, none, none},
        {u"&HFF", true, 0, none, none},
        {u"\u00A07D", true, 0, none, none},  // a no-break space is not a blank
        {u"\u30007D", true, 0, none, none},
        {u"\u000B7D", true, 0, none, none},
        {u"7\r8", true, 7, none, none},           // nor is a carriage return
        {u"0000000007D", true, 255, none, none},  // nine digits and more are too many for any word
        {u"000007D", true, 125, 125, 125},
        {u"FFFF", true, 0, none, none},  // a 16-bit -1
        {u"255", false, 255, 255, 255},
        {u"007", false, 7, 7, 7},
        {u"2.0", false, 2, 2, 2},
        {u"+7", false, 7, 7, 7},
        {u"1e1", false, 10, 10, 10},
        {u"1.5", false, 2, 2, none},  // a fraction: the calculator rounds, a send refuses
        {u"2.5", false, 2, 2, none},
        {u" 1", false, 1, 1, 1},
        {u"256", false, 255, none, none},
        {u"1,000", false, 255, none, none},
        {u"-1", false, 0, none, none},
        {u"\u00A0300", false, 0, none, none},
        {u"\uFF11", false, 0, none, none},
        {u"abc", false, 0, none, none},
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const auto& c : cases) {
        const QString text = c.text.toString();
        SCOPED_TRACE(text.toStdString() + (c.hex ? " hex" : " dec"));
        EXPECT_EQ(dcp::sliderValueOf(text, c.hex, english), c.slider);
        EXPECT_EQ(dcp::dcpValueOf(text, c.hex, english), c.calc);
        EXPECT_EQ(dcp::sendableDcpValue(text, c.hex, english), c.send);
    }
    // Under a locale that groups with a period, "2.0" is twenty to the slider, and so to a send.
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(dcp::sliderValueOf("2.0", false, german), 20);
    EXPECT_EQ(dcp::sendableDcpValue("2.0", false, german), std::optional<std::uint8_t>(20));
}

}  // namespace
}  // namespace vcm::test
