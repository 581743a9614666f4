#include "dcp/DecimalText.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace vcm::detail {

namespace {

// Far beyond any exponent a double can reach, and small enough that adding a digit count to it cannot
// overflow a 64-bit integer.
constexpr std::int64_t kExponentCap = 1'000'000'000'000LL;

}  // namespace

void DecimalText::setNegative() {
    negative_ = true;
}

void DecimalText::addDigit(char digit) {
    text_.push_back(digit);
    ++mantissaDigits_;
    if (digit != '0') {
        seenNonZero_ = true;
    }
    if (!inFraction_) {
        if (seenNonZero_) {
            ++leadingMagnitude_;
        }
    } else if (!seenNonZero_) {
        --leadingMagnitude_;
    }
}

void DecimalText::addPoint() {
    text_.push_back('.');
    inFraction_ = true;
}

void DecimalText::startExponent(bool negative) {
    exponentNegative_ = negative;
}

void DecimalText::addExponentDigit(char digit) {
    exponentText_.push_back(digit);
    if (exponent_ < kExponentCap) {
        exponent_ = exponent_ * 10 + (digit - '0');
    }
}

double DecimalText::toDouble() const {
    if (!seenNonZero_) {
        return 0.0;
    }
    std::string number = text_;
    if (!exponentText_.empty()) {
        number.push_back('e');
        if (exponentNegative_) {
            number.push_back('-');
        }
        number += exponentText_;
    }
    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        const std::int64_t decimalExponent = leadingMagnitude_ + (exponentNegative_ ? -exponent_ : exponent_);
        magnitude = decimalExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    if (magnitude == 0.0) {
        return 0.0;
    }
    return negative_ ? -magnitude : magnitude;
}

}  // namespace vcm::detail
