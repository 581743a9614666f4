#include "dcp/LocaleNumber.h"
#include "dcp/NumberFormat.h"

#include <gtest/gtest.h>

#include <limits>

namespace vcm::test {
namespace {

const QLocale kCLocale = QLocale::c();
const QLocale german(QLocale::German, QLocale::Germany);

struct FixedCase {
    double value;
    int decimals;
    const char* text;
};

void expectFixed(std::initializer_list<FixedCase> cases, const QLocale& locale = kCLocale) {
    for (const auto& c : cases) {
        EXPECT_EQ(dcp::formatFixed(c.value, c.decimals, locale), QString::fromUtf8(c.text))
            << c.value << " with " << c.decimals;
    }
}

// Most halves here lie just below the half in binary (2.675 is 2.67499999...), so rounding the binary
// expansion would go down.
TEST(FormatFixed, HalvesGoAwayFromZeroInTheDecimalForm) {
    expectFixed({
        {0.25, 1, "0.3"},
        {0.35, 1, "0.4"},
        {-0.25, 1, "-0.3"},
        {0.05, 1, "0.1"},
        {9.95, 1, "10.0"},
        {99.96, 1, "100.0"},
        {123456789.25, 1, "123456789.3"},
        {2.88175, 4, "2.8818"},
        {-3.89585, 4, "-3.8959"},
        {0.00015, 4, "0.0002"},
        {1.00005, 4, "1.0001"},
        {0.00005, 4, "0.0001"},
        {0.000049, 4, "0.0000"},
        {4.9999999999999996e-5, 4, "0.0001"},
        {0.000005, 5, "0.00001"},
        {1.234565, 5, "1.23457"},
        {0.020155, 5, "0.02016"},
        {12345.678905, 5, "12345.67891"},
        {2.675, 2, "2.68"},
        {2.5, 0, "3"},
        {-0.5, 0, "-1"},
    });
}

TEST(FormatFixed, PadsAndKeepsTheSignOfANegativeValueThatRoundsToZero) {
    expectFixed({
        {0.0, 1, "0.0"},
        {-0.0, 4, "0.0000"},
        {-0.04, 1, "-0.0"},
        {-0.00004, 4, "-0.0000"},
        {-1e-300, 5, "-0.00000"},
        {0.04, 5, "0.04000"},
        {0.4, 4, "0.4000"},
        {8.0, 4, "8.0000"},
        {1e-300, 5, "0.00000"},
        {1e20, 1, "100000000000000000000.0"},
        {-7.0, -3, "-7"},
    });
}

TEST(FormatFixed, NearTheLargestDoubleWritesATextThatReadsBack) {
    const QString text = dcp::formatFixed(1.7976931348623157e308, 4, kCLocale);
    EXPECT_TRUE(text.startsWith("179769313486231000")) << text.left(20).toStdString();
    EXPECT_TRUE(text.endsWith(".0000"));
    const std::optional<double> back = dcp::localeNumber(text, kCLocale);
    ASSERT_TRUE(back.has_value());
    EXPECT_DOUBLE_EQ(*back, 1.79769313486231e308);
}

TEST(FormatFixed, WritesNonFiniteValuesAsWords) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    expectFixed({{nan, 4, "NaN"}, {inf, 4, "Infinity"}, {-inf, 1, "-Infinity"}});
}

TEST(FormatFixed, UsesTheLocaleSeparatorWithoutGrouping) {
    expectFixed({{-2.8816667, 4, "-2,8817"}, {82997.66, 1, "82997,7"}, {0.04, 5, "0,04000"}}, german);
}

// The divider results as the calculator computes them, with the texts its fields must show.
TEST(FormatFixed, DividerWorkedExample) {
    const double avdd = 8;
    const double rset = 10000;
    const double r1 = 83000;
    const double r2 = 133000;
    const double vmax = (1 - r1 / (rset * 5120)) * (r2 / (r2 + r1) * avdd);
    const double vmin = (1 - r1 / (rset * 20)) * (r2 / (r2 + r1) * avdd);
    const struct {
        int n;
        const char* iout;
        const char* vrset;
        const char* vcom;
    } rows[] = {{1, "0.00016", "0.0016", "4.9179"},
                {129, "0.02016", "0.2016", "3.8958"},
                {256, "0.04000", "0.4000", "2.8817"}};
    for (const auto& row : rows) {
        const double iout = avdd / (rset * 20) * (row.n / 256.0) * 1000;
        const double vrset = iout / 1000 * rset;
        const double vcom = (1 - (row.n * r1) / (rset * 5120)) * (r2 / (r2 + r1) * avdd);
        EXPECT_EQ(dcp::formatFixed(iout, 5, kCLocale), QLatin1String(row.iout)) << row.n;
        EXPECT_EQ(dcp::formatFixed(vrset, 4, kCLocale), QLatin1String(row.vrset)) << row.n;
        EXPECT_EQ(dcp::formatFixed(vcom, 4, kCLocale), QLatin1String(row.vcom)) << row.n;
    }
    EXPECT_EQ(dcp::formatFixed(vmax, 4, kCLocale), QLatin1String("4.9179"));
    EXPECT_EQ(dcp::formatFixed(vmin, 4, kCLocale), QLatin1String("2.8817"));
    expectFixed({{0.00015625, 5, "0.00016"},
                 {0.2015625, 4, "0.2016"},
                 {3.8958109, 4, "3.8958"},
                 {4.9179405, 4, "4.9179"},
                 {2.8816667, 4, "2.8817"}});
}

TEST(FormatFixed, ReverseCalculationResistors) {
    const struct {
        double avdd;
        double vmax;
        double vmin;
        const char* r1;
        const char* r2;
    } cases[] = {{8, 4.9179, 2.8817, "82997.7", "132993.4"},
                 {8, 4.91794053819444, 2.88166666666667, "83000.0", "133000.0"},
                 {8, 8, 0, "200000.0", "-51200000.0"},
                 {20, 4.9179, 2.8817, "82997.7", "27121.8"},
                 {8, -1, -3, "-404743.1", "44657.7"}};
    const double rset = 10000;
    for (const auto& c : cases) {
        const double r1 = (c.vmax - c.vmin) / (c.vmax * 256 - c.vmin) * (rset * 5120);
        const double r2 = (c.vmax - c.vmin) / (c.avdd * 255 + c.vmin - c.vmax * 256) * (rset * 5120);
        EXPECT_EQ(dcp::formatFixed(r1, 1, kCLocale), QLatin1String(c.r1)) << c.vmax;
        EXPECT_EQ(dcp::formatFixed(r2, 1, kCLocale), QLatin1String(c.r2)) << c.vmax;
    }
}

TEST(FormatGeneral, FifteenDigitsWithoutTrailingZeros) {
    const struct {
        double value;
        const char* text;
        const QLocale& locale;
    } cases[] = {
        {8, "8", kCLocale},
        {12.5, "12.5", kCLocale},
        {4.91794053819444, "4.91794053819444", kCLocale},
        {-3, "-3", kCLocale},
        {0.0, "0", kCLocale},
        {-0.0, "0", kCLocale},
        {100, "100", kCLocale},
        {0.001, "0.001", kCLocale},
        {0.1 + 0.2, "0.3", kCLocale},
        {1.0 / 3, "0.333333333333333", kCLocale},
        {-2.0 / 3, "-0.666666666666667", kCLocale},
        {123456789012345, "123456789012345", kCLocale},
        {999999999999999.4, "999999999999999", kCLocale},
        {999999999999999.6, "1E+15", kCLocale},
        {1e20, "1E+20", kCLocale},
        {1.5e300, "1.5E+300", kCLocale},
        {1e-15, "0.000000000000001", kCLocale},
        {-2.5e-16, "-2.5E-16", kCLocale},
        {1234.5, "1234,5", german},
        {1.5e20, "1,5E+20", german},
        // The nearest 15 digits of these lie beyond the largest double; the digits below them are written.
        {1.7976931348623157e308, "1.79769313486231E+308", kCLocale},
        {-1.7976931348623157e308, "-1.79769313486231E+308", kCLocale},
        {1.797693134862315e308, "1.79769313486231E+308", kCLocale},
        {1.79769313486231e308, "1.79769313486231E+308", kCLocale},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dcp::formatGeneral(c.value, c.locale), QLatin1String(c.text)) << c.value;
    }
}

}  // namespace
}  // namespace vcm::test
