#include "dcp/PrefixedNumber.h"

#include <limits>

namespace vcm::detail {

namespace {

constexpr std::uint64_t kWord16Limit = 0xFFFFu;
constexpr std::uint64_t kWord32Limit = 0xFFFFFFFFu;

int digitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    return -1;
}

double asSigned16(std::uint64_t word) {
    return word > 0x7FFFu ? static_cast<double>(word) - 65536.0 : static_cast<double>(word);
}

double asSigned32(std::uint64_t word) {
    return word > 0x7FFFFFFFu ? static_cast<double>(word) - 4294967296.0 : static_cast<double>(word);
}

}  // namespace

bool PrefixedNumber::add(QChar c) {
    const int digit = digitValue(c);
    if (digit < 0 || digit >= radix_) {
        return false;
    }
    ++digitCount_;
    // Once past 32 bits the value no longer matters (it reads as +infinity), so stop accumulating
    // rather than let a long run of digits overflow the accumulator.
    if (!tooLarge_) {
        accumulated_ = accumulated_ * static_cast<std::uint64_t>(radix_) + static_cast<std::uint64_t>(digit);
        tooLarge_ = accumulated_ > kWord32Limit;
    }
    return true;
}

double PrefixedNumber::value() const {
    if (radix_ == 16) {
        if (digitCount_ <= 4) {
            return asSigned16(accumulated_);
        }
        if (digitCount_ <= 8) {
            return asSigned32(accumulated_);
        }
        return std::numeric_limits<double>::infinity();
    }
    if (tooLarge_) {
        return std::numeric_limits<double>::infinity();
    }
    return accumulated_ <= kWord16Limit ? asSigned16(accumulated_) : asSigned32(accumulated_);
}

int prefixRadix(QChar letter) {
    switch (letter.unicode()) {
        case u'H':
        case u'h':
            return 16;
        case u'O':
        case u'o':
            return 8;
        default:
            return 0;
    }
}

}  // namespace vcm::detail
