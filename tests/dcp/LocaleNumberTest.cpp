#include "dcp/LocaleNumber.h"

#include <gtest/gtest.h>

#include <optional>

namespace vcm::test {
namespace {

struct LocaleCase {
    QStringView text;
    std::optional<double> value;
};

void expectReadings(const QLocale& locale, std::initializer_list<LocaleCase> cases) {
    for (const auto& c : cases) {
        const QString text = c.text.toString();
        EXPECT_EQ(dcp::localeNumber(text, locale), c.value)
            << locale.name().toStdString() << " '" << text.toStdString() << "'";
        EXPECT_EQ(dcp::isNotLocaleNumber(text, locale), !c.value.has_value()) << text.toStdString();
    }
}

const std::optional<double> kInvalid = std::nullopt;

TEST(LocaleNumber, PeriodLocales) {
    const std::initializer_list<LocaleCase> cases = {
        {u"", kInvalid},
        {u"  ", kInvalid},
        {u"abc", kInvalid},
        {u"12", 12},
        {u" 12 ", 12},
        {u"1.5", 1.5},
        {u"\t-1.5e3\n", -1500},
        {u"+7", 7},
        {u"1,000.5", 1000.5},
        {u"1,5", 15},
        {u",5", kInvalid},
        {u"1,", kInvalid},
        {u"1,,0", kInvalid},
        {u"5.", 5},
        {u".5", 0.5},
        {u".", kInvalid},
        {u"-", kInvalid},
        {u"- 5", kInvalid},
        {u"1 2", kInvalid},
        {u"12abc", kInvalid},
        {u"1.5.2", kInvalid},
        {u"1.5,0", kInvalid},
        {u"1e", kInvalid},
        {u"1e+2", 100},
        {u"1D2", 100},
        {u"2d-1", 0.2},
        {u"1E-2", 0.01},
        {u"1e2.5", kInvalid},
        {u"1e309", kInvalid},
        {u"-1e309", kInvalid},
        {u"1e-400", 0},
        {u"&HFF", 255},
        {u"&hFFFF", -1},
        {u"&H10000", 65536},
        {u"&HFFFFFFFF", -1},
        {u"&HFFFFFFFFF", kInvalid},
        {u"&H", kInvalid},
        {u"&HFG", kInvalid},
        {u"&H FF", kInvalid},
        {u"-&H1", kInvalid},
        {u" &O17 ", 15},
        {u"&O177777", -1},
        {u"NaN", kInvalid},
        {u"inf", kInvalid},
        {u"-Infinity", kInvalid},
        {u"&O8", kInvalid},
        {u"&O40000000000", kInvalid},
        {u"&", kInvalid},
        {u"&X1", kInvalid},
    };
    expectReadings(QLocale::c(), cases);
    expectReadings(QLocale(QLocale::English, QLocale::UnitedStates), cases);
}

TEST(LocaleNumber, CommaLocales) {
    expectReadings(QLocale(QLocale::German, QLocale::Germany), {{u"1,5", 1.5},
                                                                {u"1.5", 15},
                                                                {u"1.000,5", 1000.5},
                                                                {u"-1.000.000,25", -1000000.25},
                                                                {u"1,000.5", kInvalid},
                                                                {u",5", 0.5},
                                                                {u"5,", 5},
                                                                {u"1,5e2", 150},
                                                                {u" 12 ", 12},
                                                                {u"&HFF", 255}});
    // Swedish groups with a no-break space, writes a true minus sign and its own exponent symbol.
    expectReadings(QLocale(QLocale::Swedish, QLocale::Sweden), {{u"\u22121\u00A0000,5", -1000.5},
                                                                {u"-1 000,5", -1000.5},
                                                                {u"1,5\u00D710^2", 150},
                                                                {u"1,5e\u22122", 0.015},
                                                                {u"1.5", kInvalid}});
}

TEST(LocaleNumber, FollowsTheGivenLocaleNotTheDefault) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(dcp::localeNumber(QStringLiteral("1.5"), QLocale::c()), 1.5);
    EXPECT_EQ(dcp::localeNumber(QStringLiteral("1,5"), QLocale::c()), 15);
    QLocale::setDefault(previous);
}

}  // namespace
}  // namespace vcm::test
