#include "adapter/trace/TraceFormat.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace vcm::test {
namespace {

TEST(TraceFormat, Bytes) {
    const struct {
        std::uint8_t value;
        const char* text;
    } cases[] = {{0x00, "0x00"}, {0x07, "0x07"}, {0x4F, "0x4F"}, {0xab, "0xAB"}, {0xFF, "0xFF"}};
    for (const auto& c : cases) {
        EXPECT_EQ(adapter::traceByte(c.value), QLatin1String(c.text));
    }
}

TEST(TraceFormat, ByteArrays) {
    const struct {
        adapter::ByteArray bytes;
        const char* text;
    } cases[] = {{{}, "[]"}, {{0x00}, "[00]"}, {{0x7D, 0x00}, "[7D 00]"}, {{0xab, 0x05, 0xFF}, "[AB 05 FF]"}};
    for (const auto& c : cases) {
        EXPECT_EQ(adapter::traceBytes(c.bytes), QLatin1String(c.text));
    }
}

TEST(TraceFormat, TimeHasOneDecimalAndAPointInAnyLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const struct {
        double ms;
        const char* text;
    } cases[] = {{0.0, "0.0"}, {0.3, "0.3"}, {812.44, "812.4"}, {812.46, "812.5"}, {12345.0, "12345.0"}};
    for (const auto& c : cases) {
        EXPECT_EQ(adapter::traceTime(c.ms), QLatin1String(c.text));
    }
    QLocale::setDefault(previous);
}

TEST(TraceFormat, CallLines) {
    const adapter::ByteArray written{0x7D, 0x00};
    const adapter::ByteArray read{0x80, 0x00};
    const adapter::ByteArray spare{0x00};
    const struct {
        QString line;
        const char* expected;
    } cases[] = {
        {adapter::traceLine(0.3, adapter::traceConnect(1)), "0.3 crvHID_connect() = 1"},
        {adapter::traceLine(0.3, adapter::traceConnect(0)), "0.3 crvHID_connect() = 0"},
        {adapter::traceLine(0.4, adapter::traceIndicateSelectedModule(0, 0)),
         "0.4 crvHID_indicateSelectedModule(0) = 0"},
        {adapter::traceLine(0.5, adapter::traceSetGPIOConfiguration(0, 0, -1, 0, 0)),
         "0.5 crvHID_setGPIOConfiguration(0x00, 0x00, -1, 0) = 0"},
        {adapter::traceLine(812.4, adapter::traceI2C(QStringLiteral("crvHID_doI2CWrite"),
                                                     {0x4F, 0x00, 1, written, spare, 0, 0}, 0)),
         "812.4 crvHID_doI2CWrite(0x4F, 0x00, 1, [7D 00], [00], 0, 0) = 0"},
        {adapter::traceLine(9.0, adapter::traceI2C(QStringLiteral("crvHID_doI2CRead"),
                                                   {0x4E, 0x00, 1, read, spare, 0, 0}, 1)),
         "9.0 crvHID_doI2CRead(0x4E, 0x00, 1, [80 00], [00], 0, 0) = 1"},
        // The count is a number of bytes, so decimal even where it looks like a byte.
        {adapter::traceI2C(QStringLiteral("crvHID_doI2CRead"), {0xC0, 0x1A, 200, read, spare, -2, 70000}, -1),
         "crvHID_doI2CRead(0xC0, 0x1A, 200, [80 00], [00], -2, 70000) = -1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.line, QLatin1String(c.expected));
    }
}

}  // namespace
}  // namespace vcm::test
