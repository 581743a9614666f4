#include "dcp/DcpText.h"

#include "dcp/LocaleNumber.h"
#include "dcp/NumericValue.h"

#include <QChar>

#include <algorithm>

namespace vcm::dcp {

namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

constexpr std::uint16_t kEnterKey = 13;
constexpr std::uint16_t kBackspaceKey = 8;

bool isDecimalDigit(std::uint16_t code) {
    return code >= u'0' && code <= u'9';
}

bool isUpperHexLetter(std::uint16_t code) {
    return code >= u'A' && code <= u'F';
}

}  // namespace

QString byteToHex(const std::int16_t& value) {
    if (value < 0) {
        return QStringLiteral("00");
    }
    const int byte = value > 255 ? 255 : value;
    const QChar digits[] = {QChar(kHexDigits[byte / 16]), QChar(kHexDigits[byte % 16])};
    return QString(digits, 2);
}

void filterHexKey(std::uint16_t& keyAscii) {
    // A lone surrogate half has no case and stays as it is, so the checks below swallow it.
    keyAscii = QChar(keyAscii).toUpper().unicode();
    if (keyAscii == kEnterKey || keyAscii == kBackspaceKey) {
        return;
    }
    if (isDecimalDigit(keyAscii) || isUpperHexLetter(keyAscii)) {
        return;
    }
    keyAscii = 0;
}

void filterDecimalKey(std::uint16_t& keyAscii) {
    if (keyAscii == kEnterKey || keyAscii == kBackspaceKey || isDecimalDigit(keyAscii)) {
        return;
    }
    keyAscii = 0;
}

QString dcpText(int value, bool hex) {
    if (!hex) {
        return QString::number(value);
    }
    // byteToHex takes a 16-bit value; anything beyond a byte already gives "FF" or "00" there.
    const auto clamped = static_cast<std::int16_t>(value > 256 ? 256 : (value < -1 ? -1 : value));
    return byteToHex(clamped);
}

double dcpNumber(const QString& text, bool hex) {
    return hex ? numericValue(QStringLiteral("&H") + text) : numericValue(text);
}

int sliderValueOf(const QString& text, bool hex, const QLocale& locale) {
    const double number =
        hex ? dcpNumber(text, true) : localeNumber(text, locale).value_or(dcpNumber(text, false));
    return static_cast<int>(roundHalfEven(std::clamp(number, 0.0, 255.0)));
}

namespace {

/// The number a whole DCP text spells in the mode, before it is made a byte.
std::optional<double> wholeDcpNumber(const QString& text, bool hex, const QLocale& locale) {
    return hex ? wholeNumericValue(QStringLiteral("&H") + text) : localeNumber(text, locale);
}

}  // namespace

std::optional<std::uint8_t> dcpValueOf(const QString& text, bool hex, const QLocale& locale) {
    const std::optional<double> number = wholeDcpNumber(text, hex, locale);
    if (!number) {
        return std::nullopt;
    }
    return toByte(*number);
}

std::optional<std::uint8_t> sendableDcpValue(const QString& text, bool hex, const QLocale& locale) {
    const std::optional<double> number = wholeDcpNumber(text, hex, locale);
    const std::optional<std::uint8_t> value = number ? toByte(*number) : std::nullopt;
    // A fraction would be sent as a value the box does not show, and the slider must stand on the value.
    if (!value || *number != static_cast<double>(*value) || *value != sliderValueOf(text, hex, locale)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace vcm::dcp
