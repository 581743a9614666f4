#include "dcp/DcpText.h"

#include "dcp/NumericValue.h"

#include <QChar>

namespace vcm {

namespace {

constexpr char16_t hexDigits[] = u"0123456789ABCDEF";

constexpr std::uint16_t enterKey = 13;
constexpr std::uint16_t backspaceKey = 8;

bool isDecimalDigit(std::uint16_t code) {
    return code >= u'0' && code <= u'9';
}

bool isUpperHexLetter(std::uint16_t code) {
    return code >= u'A' && code <= u'F';
}

/// The value of an ASCII digit of the mode, or -1.
int digitOf(QChar c, bool hex) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (hex && u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    if (hex && u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    return -1;
}

}  // namespace

QString byteToHex(const std::int16_t& value) {
    if (value < 0) {
        return QStringLiteral("00");
    }
    const int byte = value > 255 ? 255 : value;
    const QChar digits[] = {QChar(hexDigits[byte / 16]), QChar(hexDigits[byte % 16])};
    return QString(digits, 2);
}

void filterHexKey(std::uint16_t& keyAscii) {
    // A lone surrogate half has no case and stays as it is, so the checks below swallow it.
    keyAscii = QChar(keyAscii).toUpper().unicode();
    if (keyAscii == enterKey || keyAscii == backspaceKey) {
        return;
    }
    if (isDecimalDigit(keyAscii) || isUpperHexLetter(keyAscii)) {
        return;
    }
    keyAscii = 0;
}

void filterDecimalKey(std::uint16_t& keyAscii) {
    if (keyAscii == enterKey || keyAscii == backspaceKey || isDecimalDigit(keyAscii)) {
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

std::optional<std::uint8_t> dcpByte(const QString& text, bool hex) {
    // Blanks around the digits change nothing about the value the box shows.
    const QString digits = text.trimmed();
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    const int radix = hex ? 16 : 10;
    int value = 0;
    for (const QChar c : digits) {
        const int digit = digitOf(c, hex);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * radix + digit;
        if (value > 255) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace vcm
