#include "dcp/NumericValue.h"

#include "dcp/DecimalText.h"
#include "dcp/PrefixedNumber.h"

#include <cmath>

namespace vcm::dcp {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

char asciiOf(QChar digit) {
    return static_cast<char>(digit.unicode());
}

/// Walks a text one character at a time, never showing the characters that the rule ignores. Each
/// character is looked at a bounded number of times, so reading is linear in the length of the text.
class Cursor {
  public:
    explicit Cursor(QStringView text) : text_(text) {}

    /// The next character that counts, or QChar() (U+0000, which continues no number) at the end.
    QChar peek() {
        while (pos_ < text_.size() && isIgnoredInNumber(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : QChar();
    }

    /// Steps past the character that peek() showed.
    void advance() { ++pos_; }

    /// True when nothing but ignored characters is left.
    bool atEnd() {
        (void)peek();
        return pos_ >= text_.size();
    }

  private:
    QStringView text_;
    qsizetype pos_ = 0;
};

/// A number as read, and whether it was the whole text.
struct Reading {
    double value = 0.0;
    bool whole = false;
};

/// The "&H" / "&O" forms, with the cursor just past the "&".
Reading readPrefixed(Cursor& in) {
    const int radix = detail::prefixRadix(in.peek());
    if (radix == 0) {
        return {};
    }
    in.advance();
    detail::PrefixedNumber number(radix);
    while (number.add(in.peek())) {
        in.advance();
    }
    return {number.value(), number.digitCount() > 0 && in.atEnd()};
}

/// An optional sign; true when it was a minus.
bool readSign(Cursor& in) {
    const QChar c = in.peek();
    if (c == u'+' || c == u'-') {
        in.advance();
        return c == u'-';
    }
    return false;
}

void readMantissaDigits(Cursor& in, detail::DecimalText& number) {
    while (isDigit(in.peek())) {
        number.addDigit(asciiOf(in.peek()));
        in.advance();
    }
}

/// The reading of a text, telling also whether the number was all there is.
Reading readNumber(QStringView text) {
    Cursor in(text);
    if (in.peek() == u'&') {
        in.advance();
        return readPrefixed(in);
    }
    detail::DecimalText number;
    if (readSign(in)) {
        number.setNegative();
    }
    readMantissaDigits(in, number);
    if (in.peek() == u'.') {
        in.advance();
        number.addPoint();
        readMantissaDigits(in, number);
    }
    if (!number.hasDigits()) {
        return {};
    }
    bool exponentComplete = true;
    const QChar marker = in.peek().toUpper();
    if (marker == u'E' || marker == u'D') {
        in.advance();
        number.startExponent(readSign(in));
        exponentComplete = isDigit(in.peek());
        while (isDigit(in.peek())) {
            number.addExponentDigit(asciiOf(in.peek()));
            in.advance();
        }
    }
    return {number.toDouble(), exponentComplete && in.atEnd()};
}

}  // namespace

bool isIgnoredInNumber(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

double numericValue(QStringView text) {
    return readNumber(text).value;
}

std::optional<double> wholeNumericValue(QStringView text) {
    const Reading reading = readNumber(text);
    if (!reading.whole) {
        return std::nullopt;
    }
    return reading.value;
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    // Written out rather than left to nearbyint so that the result does not depend on the
    // floating-point environment's rounding mode. value - floor(value) is exact for every double.
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1.0;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<std::int16_t> toInteger16(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::uint8_t> toByte(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= 0.0 && rounded <= 255.0)) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(rounded);
}

}  // namespace vcm::dcp
