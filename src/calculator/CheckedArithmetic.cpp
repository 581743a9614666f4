#include "calculator/CheckedArithmetic.h"

#include <cmath>
#include <utility>

namespace vcm::calc {

CheckedArithmetic::CheckedArithmetic(QString tooLargeAdvice) : tooLargeAdvice_(std::move(tooLargeAdvice)) {}

void CheckedArithmetic::computing(QString quantity) {
    quantity_ = std::move(quantity);
}

double CheckedArithmetic::add(double a, double b) {
    return checked(a + b);
}

double CheckedArithmetic::subtract(double a, double b) {
    return checked(a - b);
}

double CheckedArithmetic::multiply(double a, double b) {
    return checked(a * b);
}

double CheckedArithmetic::divide(double a, double b, const QString& zeroDivisorMessage) {
    if (b == 0.0) {
        record(zeroDivisorMessage);
    }
    return checked(a / b);
}

double CheckedArithmetic::checked(double result) {
    // Inputs are finite and every intermediate passes through here, so a NaN that is not a 0 / 0 (caught
    // as a zero divisor first) can only follow an overflow; both read as "too large".
    if (!std::isfinite(result)) {
        record(QStringLiteral("%1 is too large to compute with these values.\r\n%2")
                   .arg(quantity_, tooLargeAdvice_));
    }
    return result;
}

void CheckedArithmetic::record(const QString& message) {
    if (!fault_) {
        fault_ = ArithmeticFault{message};
    }
}

}  // namespace vcm::calc
