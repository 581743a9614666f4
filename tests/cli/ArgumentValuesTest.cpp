#include "QtPrinters.h"
#include "cli/ArgumentValues.h"
#include "cli/JsonObject.h"
#include "cli/MeasureCommand.h"

#include <gtest/gtest.h>

#include <optional>

namespace vcm {
namespace {

TEST(DcpArgument, HexByDefaultDecimalWithDec) {
    struct Case {
        const char* text;
        bool decimal;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"7D", false, 125},  {"7d", false, 125}, {"0x7D", false, 125}, {"0X7d", false, 125},
        {"7", false, 7},     {"00", false, 0},   {"FF", false, 255},   {"", false, std::nullopt},
        {"1FF", false, {}},  {"0x", false, {}},  {"0x100", false, {}}, {"-1", false, {}},
        {" 7D", false, {}},  {"7D ", false, {}}, {"1.5", false, {}},   {"G1", false, {}},
        {"&H7D", false, {}}, {"125", true, 125}, {"0", true, 0},       {"255", true, 255},
        {"007", true, 7},    {"256", true, {}},  {"7D", true, {}},     {"-1", true, {}},
        {"1e1", true, {}},   {"+7", true, {}},   {"2.0", true, {}},    {"", true, {}},
    };
    for (const Case& c : cases) {
        const std::optional<std::uint8_t> value = dcpArgument(QString::fromUtf8(c.text), c.decimal);
        EXPECT_EQ(value.has_value(), c.value.has_value()) << c.text << (c.decimal ? " --dec" : "");
        if (value && c.value) {
            EXPECT_EQ(*value, *c.value) << c.text;
        }
    }
}

TEST(NumberArgument, PeriodDecimalsWithoutGrouping) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"8", 8.0},    {"-5", -5.0},    {"+7", 7.0},   {"4.9179", 4.9179}, {"1e4", 1e4},
        {"2.0", 2.0},  {"8,5", {}},     {"1,000", {}}, {"abc", {}},        {"", {}},
        {"1e999", {}}, {"4.9179V", {}}, {"nan", {}},   {"inf", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numberArgument(QString::fromUtf8(c.text)), c.value) << c.text;
    }
}

TEST(MeasurementIn, OneNumberAloneInTheOutput) {
    struct Case {
        const char* output;
        std::optional<double> volts;
    };
    const Case cases[] = {
        {"4.0123\n", 4.0123}, {"+4.01230E+00\r\n", 4.0123},
        {"  3.9  ", 3.9},     {"", {}},
        {"\n", {}},           {"abc\n", {}},
        {"4.0 V\n", {}},      {"4,01\n", {}},
        {"4.0\n5.0\n", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(measurementIn(QString::fromUtf8(c.output)), c.volts) << c.output;
    }
}

TEST(JsonObject, KeepsOrderAndEscapesStrings) {
    const QString text = JsonObject()
                             .text(QStringLiteral("error"), QStringLiteral("a \"b\" \\ c\nd\x01"))
                             .number(QStringLiteral("vcom"), QStringLiteral("4.9179"))
                             .integer(QStringLiteral("value"), 125)
                             .boolean(QStringLiteral("ok"), false)
                             .textArray(QStringLiteral("list"), {QStringLiteral("r2")})
                             .toText();
    EXPECT_EQ(text,
              QStringLiteral("{\"error\":\"a \\\"b\\\" \\\\ c\\nd\\u0001\",\"vcom\":4.9179,\"value\":125,"
                             "\"ok\":false,\"list\":[\"r2\"]}"));
}

}  // namespace
}  // namespace vcm
