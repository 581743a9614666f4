#pragma once

#include <cstdint>
#include <string>

namespace vcm::detail {

/// A decimal number gathered part by part while a reader walks a text in its own notation (blanks
/// skipped, a locale's separators, ...), kept as plain ASCII ("-123.45e-6") and converted with correct
/// rounding. Building it is linear in the number of parts added, whatever the length of the text.
class DecimalText {
  public:
    void setNegative();

    /// A digit '0'-'9' of the integer part, or of the fraction after addPoint.
    void addDigit(char digit);
    void addPoint();

    /// Starts the exponent; the exponent counts only once it has a digit, so "1e" reads as 1.
    void startExponent(bool negative);
    void addExponentDigit(char digit);

    /// True once the integer part or the fraction has a digit.
    bool hasDigits() const { return mantissaDigits_ > 0; }

    /// The nearest double; beyond the double range +/-infinity, below its smallest step 0. Zero is
    /// always +0, so no "-0" travels on from a text such as "-0".
    double toDouble() const;

  private:
    std::string text_;
    std::string exponentText_;
    bool negative_ = false;
    bool inFraction_ = false;
    bool seenNonZero_ = false;
    std::int64_t mantissaDigits_ = 0;
    // Where the first significant digit lies: the count of integer digits from it on, or minus the
    // zeros after the point before it. With the exponent it tells overflow from underflow.
    std::int64_t leadingMagnitude_ = 0;
    bool exponentNegative_ = false;
    std::int64_t exponent_ = 0;
};

}  // namespace vcm::detail
