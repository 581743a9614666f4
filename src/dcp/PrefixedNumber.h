#pragma once

#include <QChar>

#include <cstdint>

namespace vcm::detail {

/// The digits of a "&H" (hexadecimal) or "&O" (octal) number, fed one at a time, and the value they
/// stand for. Both text rules (the locale-independent one and the locale one) read these forms the same
/// way, so the word-size rules live here once:
/// - hexadecimal goes by the number of digits written: 1-4 digits are a 16-bit two's-complement word
///   ("FFFF" is -1, "8000" is -32768), 5-8 digits a 32-bit one ("0FFFF" is 65535, "FFFFFFFF" is -1),
///   nine or more are too many for any word and give +infinity;
/// - octal goes by the value, since its digits do not line up with 16-bit words: a value up to 0xFFFF
///   (177777) is a 16-bit word ("177777" is -1), up to 0xFFFFFFFF (37777777777) a 32-bit one, anything
///   larger gives +infinity. Leading zeros therefore never matter in octal.
/// No digits at all give 0.
class PrefixedNumber {
  public:
    /// `radix` is 16 or 8.
    explicit PrefixedNumber(int radix) : radix_(radix) {}

    /// Takes `c` when it is a digit of the radix (hexadecimal letters in either case) and returns true;
    /// otherwise leaves the number unchanged and returns false.
    bool add(QChar c);

    int digitCount() const { return digitCount_; }

    /// The value by the word-size rules above.
    double value() const;

  private:
    int radix_;
    int digitCount_ = 0;
    std::uint64_t accumulated_ = 0;
    bool tooLarge_ = false;
};

/// The radix that the letter after "&" names: 16 for H, 8 for O (either case), 0 for anything else.
int prefixRadix(QChar letter);

}  // namespace vcm::detail
