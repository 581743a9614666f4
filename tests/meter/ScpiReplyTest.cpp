#include "QtPrinters.h"
#include "meter/core/ScpiReply.h"

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

TEST(ScpiReply, AReadingIsOneNumberInVolts) {
    using Kind = meter::ScpiReading::Kind;
    struct Case {
        const char* reply;
        Kind kind;
        double volts;
    };
    const Case cases[] = {
        {"+4.01234567E+00", Kind::Volts, 4.01234567},
        {"+4.01234567E+00\r\n", Kind::Volts, 4.01234567},
        {" 4.0123 \n", Kind::Volts, 4.0123},
        {"-3.9E-1", Kind::Volts, -0.39},
        {"4", Kind::Volts, 4.0},
        {"4.", Kind::Volts, 4.0},
        {".5e1", Kind::Volts, 5.0},
        {"+0.00000000E+00", Kind::Volts, 0.0},
        {"+9.89999999E+37", Kind::Volts, 9.89999999e37},
        {"+9.90000000E+37", Kind::Overload, 0.0},
        {"-9.9E37", Kind::Overload, 0.0},
        {"9.91E37", Kind::Overload, 0.0},
        {"+4.0E+00,+4.1E+00", Kind::SeveralValues, 0.0},
        {"4.0;4.1", Kind::SeveralValues, 0.0},
        {"", Kind::NotANumber, 0.0},
        {"\r\n", Kind::NotANumber, 0.0},
        {"+4.0 VDC", Kind::NotANumber, 0.0},
        {"4.0V", Kind::NotANumber, 0.0},
        {"4,0123", Kind::SeveralValues, 0.0},
        {"1e999", Kind::NotANumber, 0.0},
        {"NAN", Kind::NotANumber, 0.0},
        {"INF", Kind::NotANumber, 0.0},
        {"0x4", Kind::NotANumber, 0.0},
        {"4.0E", Kind::NotANumber, 0.0},
        {"++4", Kind::NotANumber, 0.0},
        {"4.0 4.1", Kind::NotANumber, 0.0},
        {"OVLD", Kind::NotANumber, 0.0},
        // The window's own number rule would take these as 4; a meter's reading never is one.
        {"&H4", Kind::NotANumber, 0.0},
        {"4D0", Kind::NotANumber, 0.0},
        {"4.0\n5.0", Kind::NotANumber, 0.0},
    };
    for (const Case& c : cases) {
        const meter::ScpiReading reading = meter::scpiReading(QString::fromUtf8(c.reply));
        EXPECT_EQ(reading.kind, c.kind) << c.reply;
        EXPECT_DOUBLE_EQ(reading.volts, c.volts) << c.reply;
    }
}

TEST(ScpiReply, AnErrorQueueEntryHasACodeAndItsText) {
    struct Case {
        const char* reply;
        std::optional<int> code;
        const char* text;
    };
    const Case cases[] = {
        {"+0,\"No error\"\n", 0, "No error"},
        {"0,\"No error\"", 0, "No error"},
        {"0", 0, ""},
        {"-113,\"Undefined header\"\r\n", -113, "Undefined header"},
        {"-222, \"Data out of range; VOLT\"", -222, "Data out of range; VOLT"},
        {"+201,Memory lost", 201, "Memory lost"},
        {"", std::nullopt, ""},
        {"No error", std::nullopt, ""},
        {"+4.0E+00", std::nullopt, ""},
        {"1 3,\"x\"", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const std::optional<meter::ScpiError> error = meter::scpiError(QString::fromUtf8(c.reply));
        ASSERT_EQ(error.has_value(), c.code.has_value()) << c.reply;
        if (error) {
            EXPECT_EQ(error->code, *c.code) << c.reply;
            EXPECT_EQ(error->isError(), *c.code != 0) << c.reply;
            EXPECT_EQ(error->text, QString::fromUtf8(c.text)) << c.reply;
        }
    }
}

}  // namespace
}  // namespace vcm::test
