#include "QtPrinters.h"
#include "adapter/core/ArgumentText.h"
#include "cli/commands/CommandFailure.h"
#include "cli/options/ArgumentValues.h"

#include <gtest/gtest.h>

#include <optional>

namespace vcm::test {
namespace {

TEST(DcpArgument, HexByDefaultDecimalWithDec) {
    struct Case {
        const char* text;
        bool decimal;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"7D", false, 125},
        {"7d", false, 125},
        {"0x7D", false, 125},
        {"0X7d", false, 125},
        {"7", false, 7},
        {"00", false, 0},
        {"FF", false, 255},
        // Leading zeros and blanks around the value are no reason to refuse it.
        {"07D", false, 125},
        {"0x007d", false, 125},
        {"000", false, 0},
        {"0000000000000000000000000000000000000001", false, 1},
        {" 7D", false, 125},
        {"7D ", false, 125},
        {"\t0x7D\n", false, 125},
        {"", false, std::nullopt},
        {" ", false, {}},
        {"1FF", false, {}},
        {"0x", false, {}},
        {"0x100", false, {}},
        {"-1", false, {}},
        {"7 D", false, {}},
        {"1.5", false, {}},
        {"G1", false, {}},
        {"&H7D", false, {}},
        {"0x-1", false, {}},
        {"125", true, 125},
        {"0", true, 0},
        {"255", true, 255},
        {"007", true, 7},
        {"0007", true, 7},
        {" 255 ", true, 255},
        {"256", true, {}},
        {"0256", true, {}},
        {"99999999999999999999", true, {}},
        {"7D", true, {}},
        {"0x7D", true, {}},
        {"-1", true, {}},
        {"1e1", true, {}},
        {"+7", true, {}},
        {"2.0", true, {}},
        {"", true, {}},
    };
    for (const Case& c : cases) {
        const std::optional<std::uint8_t> value = cli::dcpArgument(QString::fromUtf8(c.text), c.decimal);
        EXPECT_EQ(value.has_value(), c.value.has_value()) << c.text << (c.decimal ? " --dec" : "");
        if (value && c.value) {
            EXPECT_EQ(*value, *c.value) << c.text;
        }
    }
}

// Digits of the base that give no byte (too large, or negative) are out of range; anything else is no value.
TEST(DcpArgument, ProblemSaysOutOfRangeOrMalformed) {
    struct Case {
        const char* text;
        bool decimal;
        const char* problem;
    };
    const Case cases[] = {
        {"-1", false, "VALUE '-1' is out of range (give 00 to FF, or 0 to 255 with --dec)."},
        {"-0x7D", false, "VALUE '-0x7D' is out of range (give 00 to FF, or 0 to 255 with --dec)."},
        {"100", false, "VALUE '100' is out of range (give 00 to FF, or 0 to 255 with --dec)."},
        {"256", true, "VALUE '256' is out of range (with --dec give 0 to 255)."},
        {"-5", true, "VALUE '-5' is out of range (with --dec give 0 to 255)."},
        {"-0", false,
         "Bad VALUE '-0' (give two hexadecimal digits from 00 to FF, such as 7D or 0x7D, or a decimal number "
         "with --dec)."},
        {"7D", true, "Bad VALUE '7D' (with --dec give a decimal number from 0 to 255)."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cli::dcpArgumentProblem(QStringLiteral("VALUE"), QString::fromUtf8(c.text), c.decimal),
                  QString::fromUtf8(c.problem))
            << c.text;
    }
    try {
        (void)cli::requireDcpArgument(QStringLiteral("--dcp value"), QStringLiteral("1FF"), false);
        ADD_FAILURE() << "1FF accepted";
    } catch (const cli::CommandFailure& failure) {
        EXPECT_EQ(failure.exitCode, cli::kExitUsage);
        EXPECT_EQ(
            failure.message,
            QStringLiteral("--dcp value '1FF' is out of range (give 00 to FF, or 0 to 255 with --dec)."));
    }
}

TEST(QuotedArgument, AtMostFortyCharactersWithControlsEscaped) {
    const QString forty(40, u'x');
    struct Case {
        QString text;
        QString quoted;
    };
    const Case cases[] = {
        {"", "''"},
        {"7D", "'7D'"},
        {forty, u'\'' + forty + u'\''},
        {forty + u'y', u'\'' + forty + QStringLiteral("...'")},
        {"a\nb\rc\td", "'a\\nb\\rc\\td'"},
        {QStringLiteral("\x1b[2J\x7f") + QChar(0x85), "'\\x1b[2J\\x7f\\x85'"},
        // Escapes do not count against the forty: it is the input that is cut, never an escape.
        {QString(20, u'\n') + QString(30, u'z'),
         QStringLiteral("'%1%2...'")
             .arg(QString(20, u'\n').replace(u'\n', QStringLiteral("\\n")), QString(20, u'z'))},
        // A character outside the basic plane is not cut in half.
        {QString(39, u'x') + QStringLiteral("\U0001F600!"),
         u'\'' + QString(39, u'x') + QStringLiteral("...'")},
        {"crvhid:C:\\Board", "'crvhid:C:\\Board'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(adapter::quotedArgument(c.text), c.quoted) << c.text.toStdString();
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
        EXPECT_EQ(cli::numberArgument(QString::fromUtf8(c.text)), c.value) << c.text;
    }
}

}  // namespace
}  // namespace vcm::test
