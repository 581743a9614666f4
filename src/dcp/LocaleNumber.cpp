#include "dcp/LocaleNumber.h"

#include "dcp/DecimalText.h"
#include "dcp/NumericValue.h"
#include "dcp/PrefixedNumber.h"

#include <cmath>
#include <optional>

namespace vcm::dcp {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

/// Steps through a text, taking characters or whole locale symbols (which may be several characters,
/// such as a sign with a direction mark) from its front.
class Scanner {
  public:
    explicit Scanner(QStringView text) : rest_(text) {}

    bool atEnd() const { return rest_.isEmpty(); }
    QChar peek() const { return rest_.isEmpty() ? QChar() : rest_.front(); }
    void advance() { rest_ = rest_.mid(1); }
    bool startsWith(QStringView symbol, Qt::CaseSensitivity cs = Qt::CaseSensitive) const {
        return !symbol.isEmpty() && rest_.startsWith(symbol, cs);
    }
    bool take(QStringView symbol, Qt::CaseSensitivity cs = Qt::CaseSensitive) {
        if (!startsWith(symbol, cs)) {
            return false;
        }
        rest_ = rest_.mid(symbol.size());
        return true;
    }
    /// True when the text goes on with `symbol` and then a digit.
    bool startsWithThenDigit(QStringView symbol) const {
        return startsWith(symbol) && rest_.size() > symbol.size() && isDigit(rest_[symbol.size()]);
    }

  private:
    QStringView rest_;
};

/// The symbols of the locale that a number text may use, each fetched once per reading and only when the
/// reading gets to it: a plain "83000" needs none of them, and a calculation reads many such texts.
class Symbols {
  public:
    explicit Symbols(const QLocale& locale) : locale_(locale) {}

    const QString& decimal() const { return fetched(decimal_, &QLocale::decimalPoint); }
    const QString& group() const { return fetched(group_, &QLocale::groupSeparator); }
    const QString& minus() const { return fetched(minus_, &QLocale::negativeSign); }
    const QString& plus() const { return fetched(plus_, &QLocale::positiveSign); }
    const QString& exponent() const { return fetched(exponent_, &QLocale::exponential); }

  private:
    const QString& fetched(std::optional<QString>& symbol, QString (QLocale::*get)() const) const {
        if (!symbol) {
            symbol = (locale_.*get)();
        }
        return *symbol;
    }

    const QLocale& locale_;
    mutable std::optional<QString> decimal_;
    mutable std::optional<QString> group_;
    mutable std::optional<QString> minus_;
    mutable std::optional<QString> plus_;
    mutable std::optional<QString> exponent_;
};

/// A sign, ASCII or the locale's; true when it was a minus.
bool takeSign(Scanner& in, const Symbols& symbols) {
    if (in.atEnd() || isDigit(in.peek())) {
        return false;  // no sign symbol of any locale starts with a digit
    }
    if (in.take(u"-") || in.take(symbols.minus())) {
        return true;
    }
    if (!in.take(u"+")) {
        in.take(symbols.plus());
    }
    return false;
}

/// A group separator between two digits. Where the locale groups with a kind of space (a no-break or
/// narrow no-break space), the plain space that a keyboard types is taken as well.
bool takeGroupSeparator(Scanner& in, const Symbols& symbols) {
    if (in.atEnd()) {
        return false;
    }
    if (in.startsWithThenDigit(symbols.group())) {
        return in.take(symbols.group());
    }
    const bool groupsWithSpace = symbols.group().size() == 1 && symbols.group().front().isSpace();
    return groupsWithSpace && in.startsWithThenDigit(u" ") && in.take(u" ");
}

void takeDigits(Scanner& in, detail::DecimalText& number) {
    while (isDigit(in.peek())) {
        number.addDigit(static_cast<char>(in.peek().unicode()));
        in.advance();
    }
}

std::optional<double> prefixedNumber(QStringView afterAmpersand) {
    if (afterAmpersand.isEmpty()) {
        return std::nullopt;
    }
    const int radix = detail::prefixRadix(afterAmpersand.front());
    const QStringView digits = afterAmpersand.mid(1);
    if (radix == 0 || digits.isEmpty()) {
        return std::nullopt;
    }
    detail::PrefixedNumber number(radix);
    for (const QChar c : digits) {
        if (!number.add(c)) {
            return std::nullopt;
        }
    }
    const double value = number.value();
    if (std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> decimalNumber(QStringView text, const Symbols& symbols) {
    Scanner in(text);
    detail::DecimalText number;
    if (takeSign(in, symbols)) {
        number.setNegative();
    }
    // Integer part: digits, with group separators allowed only between two digits. Where they stand is
    // not checked ("1.5" under a locale that groups with a period reads 15), as users do not always
    // group by thousands.
    while (true) {
        takeDigits(in, number);
        if (!number.hasDigits() || !takeGroupSeparator(in, symbols)) {
            break;
        }
    }
    if (!in.atEnd() && in.take(symbols.decimal())) {
        number.addPoint();
        takeDigits(in, number);
    }
    if (!number.hasDigits()) {
        return std::nullopt;
    }
    // "D" is the exponent of a double-precision literal, which the platform's numeric test also takes.
    if (!in.atEnd() && (in.take(u"e", Qt::CaseInsensitive) || in.take(u"d", Qt::CaseInsensitive) ||
                        in.take(symbols.exponent(), Qt::CaseInsensitive))) {
        number.startExponent(takeSign(in, symbols));
        if (!isDigit(in.peek())) {
            return std::nullopt;
        }
        while (isDigit(in.peek())) {
            number.addExponentDigit(static_cast<char>(in.peek().unicode()));
            in.advance();
        }
    }
    if (!in.atEnd()) {
        return std::nullopt;
    }
    const double value = number.toDouble();
    if (std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}

/// The text without the blanks, tabs and line feeds around it. Other kinds of space (a no-break space,
/// an ideographic space) are characters like any other here, as they are for the numeric reading.
QStringView withoutSurroundingBlanks(QStringView text) {
    while (!text.isEmpty() && isIgnoredInNumber(text.front())) {
        text = text.mid(1);
    }
    while (!text.isEmpty() && isIgnoredInNumber(text.back())) {
        text.chop(1);
    }
    return text;
}

}  // namespace

std::optional<double> localeNumber(const QString& text, const QLocale& locale) {
    const QStringView body = withoutSurroundingBlanks(text);
    if (body.isEmpty()) {
        return std::nullopt;
    }
    if (body.front() == u'&') {
        return prefixedNumber(body.mid(1));
    }
    return decimalNumber(body, Symbols(locale));
}

bool isNotLocaleNumber(const QString& text, const QLocale& locale) {
    return !localeNumber(text, locale).has_value();
}

}  // namespace vcm::dcp
