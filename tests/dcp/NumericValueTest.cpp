#include "dcp/NumericValue.h"

#include <gtest/gtest.h>

#include <QString>

#include <cmath>
#include <limits>

namespace vcm::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumericValue, ReadsTheLeadingNumberIgnoringBlanks) {
    const struct {
        QStringView text;
        double value;
    } cases[] = {
        {u"", 0},           {u"abc", 0},        {u"12", 12},
        {u"-12", -12},      {u"+12", 12},       {u" 1 2 . 5 ", 12.5},
        {u"\t-\n3 4", -34}, {u"7\r8", 7},       {u"\u00A07", 0},
        {u"12abc", 12},     {u"1.2.3", 1.2},    {u".5", 0.5},
        {u"-.5", -0.5},     {u"-", 0},          {u".", 0},
        {u"--5", 0},        {u"1,5", 1},        {u"1e3", 1000},
        {u"1D3", 1000},     {u"2.5e-2", 0.025}, {u"1 E + 2", 100},
        {u"1e", 1},         {u"1e+", 1},        {u"1e+-2", 1},
        {u"1e400", kInf},   {u"-1e400", -kInf}, {u"1e-400", 0},
        {u"0e99999", 0},    {u"007", 7},        {u"1.5e2x", 150},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dcp::numericValue(c.text), c.value) << c.text.toString().toStdString();
    }
}

TEST(NumericValue, AWholeNumberIsTheNumberAndNothingElse) {
    const struct {
        QStringView text;
        std::optional<double> value;
    } cases[] = {
        {u"12", 12},
        {u" 1 2 ", 12},
        {u"\t+7\n", 7},
        {u"1e1", 10},
        {u"&H7 D", 125},
        {u"&O17", 15},
        {u"&HFFFF", -1},
        {u"&H000000000", kInf},
        {u"", std::nullopt},
        {u"12abc", std::nullopt},
        {u"1e", std::nullopt},
        {u"&H", std::nullopt},
        {u"12\r", std::nullopt},
        {u"\u00A012", std::nullopt},
        {u"-&H5", std::nullopt},
        {u".", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dcp::wholeNumericValue(c.text), c.value) << c.text.toString().toStdString();
    }
}

TEST(NumericValue, ReadsPrefixedFormsByTheirWordSize) {
    const struct {
        QStringView text;
        double value;
    } cases[] = {
        {u"&H", 0},
        {u"&HG", 0},
        {u"&X1", 0},
        {u"-&H1", 0},
        {u"&H1", 1},
        {u"&hff", 255},
        {u"& H F  F", 255},
        {u"&HFFZ", 255},
        {u"&H7FFF", 32767},
        {u"&H8000", -32768},
        {u"&HFFFF", -1},
        {u"&H0FFFF", 65535},
        {u"&H10000", 65536},
        {u"&H7FFFFFFF", 2147483647.0},
        {u"&H80000000", -2147483648.0},
        {u"&HFFFFFFFF", -1},
        {u"&H100000000", kInf},
        {u"&H000000001", kInf},
        {u"&O", 0},
        {u"&O8", 0},
        {u"&O17", 15},
        {u"&o177777", -1},
        {u"&O100000", -32768},
        {u"&O0177777", -1},
        {u"&O200000", 65536},
        {u"&O37777777777", -1},
        {u"&O40000000000", kInf},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dcp::numericValue(c.text), c.value) << c.text.toString().toStdString();
    }
}

TEST(NumericValue, ZeroHasNoSign) {
    EXPECT_FALSE(std::signbit(dcp::numericValue(u"-0")));
    EXPECT_FALSE(std::signbit(dcp::numericValue(u"-0.000e5")));
}

TEST(NumericValue, ReadsMegabyteTexts) {
    const qsizetype size = 1 << 20;
    EXPECT_EQ(dcp::numericValue(QString(size, u'1')), kInf);
    EXPECT_EQ(dcp::numericValue(QString(size, u' ') + QStringLiteral("7")), 7);
    EXPECT_EQ(dcp::numericValue(QStringLiteral("&H") + QString(size, u'F')), kInf);
    EXPECT_EQ(dcp::numericValue(QStringLiteral("-0.") + QString(size, u'0') + QStringLiteral("1")), 0);
    EXPECT_EQ(dcp::numericValue(QStringLiteral("1") + QString(size, u'0') + QStringLiteral("e-") +
                                QString::number(size)),
              1);
    EXPECT_EQ(dcp::numericValue(QString(size / 2, u'9').replace(u'9', QStringLiteral("9 "))), kInf);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const struct {
        double value;
        double rounded;
    } cases[] = {{2.5, 2},       {3.5, 4},
                 {-2.5, -2},     {-3.5, -4},
                 {0.5, 0},       {1.5, 2},
                 {2.6, 3},       {-2.6, -3},
                 {2.4, 2},       {0.49999999999999994, 0},
                 {1e300, 1e300}, {4503599627370497.0, 4503599627370497.0}};
    for (const auto& c : cases) {
        EXPECT_EQ(dcp::roundHalfEven(c.value), c.rounded) << c.value;
    }
}

TEST(RoundHalfEven, ConversionsCheckTheRangeAfterRounding) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double value;
        std::optional<std::int16_t> integer16;
        std::optional<std::uint8_t> byte;
    } cases[] = {
        {2.5, 2, 2},
        {3.5, 4, 4},
        {-2.5, -2, std::nullopt},
        {-0.5, 0, 0},
        {-0.6, -1, std::nullopt},
        {254.5, 254, 254},
        {255.4, 255, 255},
        {255.5, 256, std::nullopt},
        {32767.4, 32767, std::nullopt},
        {32767.5, std::nullopt, std::nullopt},
        {-32768.5, -32768, std::nullopt},
        {-32768.6, std::nullopt, std::nullopt},
        {nan, std::nullopt, std::nullopt},
        {kInf, std::nullopt, std::nullopt},
        {-kInf, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dcp::toInteger16(c.value), c.integer16) << c.value;
        EXPECT_EQ(dcp::toByte(c.value), c.byte) << c.value;
    }
}

}  // namespace
}  // namespace vcm::test
