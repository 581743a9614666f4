// The locale-aware reading of calculator fields and the two output formats: every text a format writes
// reads back as the value written, in every locale.
#include "FuzzCheck.h"
#include "dcp/LocaleNumber.h"
#include "dcp/NumberFormat.h"

#include <QLocale>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

using vcm::fuzz::require;

namespace {

/// Locales whose separators and signs differ: period and comma decimals, period, comma, apostrophe and
/// no-break-space groups, and a minus sign that is not ASCII.
const std::array<QLocale, 6>& locales() {
    static const std::array<QLocale, 6> all = {
        QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),        QLocale(QLocale::German, QLocale::Switzerland),
        QLocale(QLocale::Swedish, QLocale::Sweden),       QLocale(QLocale::Persian, QLocale::Iran),
    };
    return all;
}

void checkReading(const QString& text, const QLocale& locale) {
    const std::optional<double> value = vcm::dcp::localeNumber(text, locale);
    require(vcm::dcp::isNotLocaleNumber(text, locale) == !value.has_value(),
            "the test for a number and the reading agree", text);
    if (value) {
        require(std::isfinite(*value), "an accepted text reads as a finite number", text);
        require(*value != 0.0 || !std::signbit(*value), "zero reads as +0", text);
    }
}

void checkFormats(double x, int decimals, const QLocale& locale) {
    const QString general = vcm::dcp::formatGeneral(x, locale);
    const std::optional<double> generalBack = vcm::dcp::localeNumber(general, locale);
    require(generalBack.has_value(), "the general form reads back", general);
    // Fifteen significant digits: within a few parts in 1e15 (and a subnormal step near zero).
    require(std::abs(*generalBack - x) <= std::abs(x) * 1e-14 + 1e-323, "the general form keeps the value",
            general);

    const QString fixed = vcm::dcp::formatFixed(x, decimals, locale);
    const std::optional<double> fixedBack = vcm::dcp::localeNumber(fixed, locale);
    require(fixedBack.has_value(), "the fixed form reads back", fixed);
    require(std::abs(*fixedBack - x) <= 0.5 * std::pow(10.0, -decimals) * 1.000001 + std::abs(x) * 1e-14,
            "the fixed form is the value rounded to its decimals", fixed);
    const qsizetype separator = fixed.indexOf(locale.decimalPoint());
    require(decimals == 0 ? separator < 0 : fixed.size() - separator - 1 == decimals,
            "the fixed form has exactly its decimals", fixed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const QLocale& locale = locales()[data[0] % locales().size()];
    checkReading(vcm::fuzz::textOf(data + 1, size - 1), locale);

    // The rest, when long enough, is also taken as a double's bytes and a count of decimals.
    if (size >= 10) {
        double x = 0.0;
        std::memcpy(&x, data + 1, sizeof x);
        if (std::isfinite(x)) {
            checkFormats(x, data[9] % 7, locale);
        }
    }
    // And the text read as a number is written and read back.
    if (const auto value = vcm::dcp::localeNumber(vcm::fuzz::textOf(data + 1, size - 1), locale)) {
        checkFormats(*value, data[0] % 7, locale);
    }
    return 0;
}
