#include "dcp/NumberFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace vcm::dcp {

namespace {

constexpr int kSignificantCount = 15;
// Enough decimals to show every significant digit of the smallest double (about 4.9e-324).
constexpr int kMaximumDecimals = 340;
// The largest double, 1.7976931348623157e308, cut (not rounded) to 15 significant digits.
constexpr int kLargestExponent = 308;
constexpr const char* largestDigits = "179769313486231";

/// A non-negative value as its 15 significant digits: value = d0.d1d2...d14 x 10^exponent.
struct SignificantDigits {
    std::string digits;
    int exponent = 0;
};

SignificantDigits significantDigits(double magnitude) {
    // to_chars, unlike printf, ignores the C library's locale, which Qt sets from the environment.
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, kSignificantCount - 1);
    // The form is "d.dddddddddddddde+XX" (or e-XXX), read in place.
    const char* text = buffer.data();
    SignificantDigits out;
    out.digits.push_back(text[0]);
    out.digits.append(text + 2, kSignificantCount - 1);
    const char* end = result.ptr;
    const char* exponentStart = std::find(text, end, 'e') + 1;
    if (*exponentStart == '+') {
        ++exponentStart;
    }
    std::from_chars(exponentStart, end, out.exponent);
    // Within about 5e292 of the largest double the nearest 15 digits lie beyond the double range, and a
    // text that cannot be read back must never be written: take the 15 digits below instead.
    if (out.exponent == kLargestExponent && out.digits > largestDigits) {
        out.digits = largestDigits;
    }
    return out;
}

/// Adds one unit in the last place of a string of decimal digits, carrying as far as needed.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

QString nonFiniteText(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("NaN");
    }
    return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
}

QString withSign(bool negative, const std::string& body) {
    QString text = QString::fromLatin1(body.data(), static_cast<qsizetype>(body.size()));
    return negative ? QLatin1Char('-') + text : text;
}

}  // namespace

QString formatFixed(double value, int decimals, const QLocale& locale) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    decimals = std::clamp(decimals, 0, kMaximumDecimals);
    const SignificantDigits sig = significantDigits(std::fabs(value));

    // The result as a whole number of units of 10^-decimals. Digit i of sig weighs 10^(exponent - i),
    // so the first `kept` digits are at or above the last shown decimal.
    const int kept = sig.exponent + decimals + 1;
    std::string units;
    bool roundUp = false;
    if (kept <= 0) {
        // Every digit lies below the last decimal; only a first digit right below it can round up.
        units = "0";
        roundUp = kept == 0 && sig.digits[0] >= '5';
    } else {
        units = sig.digits.substr(0, static_cast<std::size_t>(std::min(kept, kSignificantCount)));
        units.append(static_cast<std::size_t>(std::max(kept - kSignificantCount, 0)), '0');
        roundUp = kept < kSignificantCount && sig.digits[static_cast<std::size_t>(kept)] >= '5';
    }
    if (roundUp) {
        incrementDigits(units);  // halves (and more) away from zero, the sign is added afterwards
    }
    const std::size_t minimumLength = static_cast<std::size_t>(decimals) + 1;
    if (units.size() < minimumLength) {
        units.insert(0, minimumLength - units.size(), '0');
    }
    // A negative value keeps its sign even where it rounds to zero; -0.0 is not below zero. The text is
    // put together in one buffer: a calculation writes several of these per key.
    const QString point = decimals > 0 ? locale.decimalPoint() : QString();
    const auto integerDigits = static_cast<qsizetype>(units.size()) - decimals;
    QString text;
    text.reserve(static_cast<qsizetype>(units.size()) + 1 + point.size());
    if (value < 0) {
        text += QLatin1Char('-');
    }
    text += QLatin1String(units.data(), integerDigits);
    if (decimals > 0) {
        text += point;
        text += QLatin1String(units.data() + integerDigits, decimals);
    }
    return text;
}

QString formatGeneral(double value, const QLocale& locale) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    if (value == 0.0) {
        return QStringLiteral("0");
    }
    const SignificantDigits sig = significantDigits(std::fabs(value));
    std::string digits = sig.digits;
    digits.erase(digits.find_last_not_of('0') + 1);  // the first digit of a non-zero value is never 0
    const int exponent = sig.exponent;
    const bool negative = value < 0;

    if (exponent >= kSignificantCount || exponent < -kSignificantCount) {
        QString text = withSign(negative, digits.substr(0, 1));
        if (digits.size() > 1) {
            text += locale.decimalPoint() + QString::fromLatin1(digits.substr(1));
        }
        const int magnitude = std::abs(exponent);
        text += QStringLiteral("E") + (exponent < 0 ? QLatin1Char('-') : QLatin1Char('+'));
        text += QStringLiteral("%1").arg(magnitude, 2, 10, QLatin1Char('0'));
        return text;
    }
    std::string integerPart;
    std::string fraction;
    if (exponent >= 0) {
        const auto integerLength = static_cast<std::size_t>(exponent) + 1;
        integerPart = digits.substr(0, std::min(integerLength, digits.size()));
        integerPart.append(integerLength - integerPart.size(), '0');
        fraction = digits.size() > integerLength ? digits.substr(integerLength) : std::string();
    } else {
        integerPart = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    QString text = withSign(negative, integerPart);
    if (!fraction.empty()) {
        text += locale.decimalPoint() + QString::fromLatin1(fraction);
    }
    return text;
}

}  // namespace vcm::dcp
