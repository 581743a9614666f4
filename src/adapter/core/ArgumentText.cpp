#include "adapter/core/ArgumentText.h"

#include <QRegularExpression>

#include <algorithm>

namespace vcm::adapter {

ByteArgument readByteArgument(const QString& text, bool decimal) {
    static const QRegularExpression hexShape(QStringLiteral("^(-?)(?:0[xX])?([0-9A-Fa-f]+)$"));
    static const QRegularExpression decimalShape(QStringLiteral("^(-?)([0-9]+)$"));
    const QRegularExpressionMatch match = (decimal ? decimalShape : hexShape).match(text.trimmed());
    if (!match.hasMatch()) {
        return {};
    }
    QString digits = match.captured(2);
    // Leading zeros carry nothing; what is left must be short enough before it is converted, so that a
    // long run of digits cannot overflow the conversion.
    while (digits.size() > 1 && digits.front() == u'0') {
        digits.remove(0, 1);
    }
    const bool negative = !match.captured(1).isEmpty();
    if (negative) {
        // "-0" is no value anyone means; any other negative one is below the range.
        return {digits == QStringLiteral("0") ? ByteArgument::Status::Malformed
                                              : ByteArgument::Status::OutOfRange};
    }
    if (digits.size() > (decimal ? 3 : 2)) {
        return {ByteArgument::Status::OutOfRange};
    }
    const uint value = digits.toUInt(nullptr, decimal ? 10 : 16);
    if (value > 255) {
        return {ByteArgument::Status::OutOfRange};
    }
    return {ByteArgument::Status::Ok, static_cast<std::uint8_t>(value)};
}

QString quotedArgument(const QString& text, qsizetype limit) {
    qsizetype shown = std::min(text.size(), limit);
    // Never cut a character in half.
    if (shown < text.size() && shown > 0 && text.at(shown - 1).isHighSurrogate()) {
        --shown;
    }
    QString out = QStringLiteral("'");
    for (const QChar c : text.first(shown)) {
        switch (c.unicode()) {
            case u'\n':
                out += QStringLiteral("\\n");
                break;
            case u'\r':
                out += QStringLiteral("\\r");
                break;
            case u'\t':
                out += QStringLiteral("\\t");
                break;
            default:
                if (c.category() == QChar::Other_Control) {
                    out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
                } else {
                    out += c;
                }
        }
    }
    if (shown < text.size()) {
        out += QStringLiteral("...");
    }
    return out + u'\'';
}

}  // namespace vcm::adapter
