#include "cli/ArgumentValues.h"

#include "dcp/LocaleNumber.h"

#include <QLocale>
#include <QRegularExpression>

namespace vcm {

std::optional<std::uint8_t> dcpArgument(const QString& text, bool decimal) {
    static const QRegularExpression hexShape(QStringLiteral("^(?:0[xX])?([0-9A-Fa-f]{1,2})$"));
    static const QRegularExpression decimalShape(QStringLiteral("^[0-9]{1,3}$"));
    // The shapes leave only digits of the base, so the one check left is the upper end.
    const auto byteOf = [](const QString& digits, int base) -> std::optional<std::uint8_t> {
        const uint value = digits.toUInt(nullptr, base);
        return value <= 255 ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(value)) : std::nullopt;
    };
    if (decimal) {
        return decimalShape.match(text).hasMatch() ? byteOf(text, 10) : std::nullopt;
    }
    const QRegularExpressionMatch match = hexShape.match(text);
    return match.hasMatch() ? byteOf(match.captured(1), 16) : std::nullopt;
}

QString dcpArgumentProblem(const QString& what, const QString& text, bool decimal) {
    return decimal ? QStringLiteral("Bad %1 '%2' (with --dec give a decimal number from 0 to 255).")
                         .arg(what, text)
                   : QStringLiteral(
                         "Bad %1 '%2' (give two hexadecimal digits from 00 to FF, such as 7D or "
                         "0x7D, or a decimal number with --dec).")
                         .arg(what, text);
}

std::optional<double> numberArgument(const QString& text) {
    const QLocale c = QLocale::c();
    if (text.contains(c.groupSeparator())) {
        return std::nullopt;
    }
    return localeNumber(text, c);
}

}  // namespace vcm
