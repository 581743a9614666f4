#pragma once

#include <QString>

#include <optional>

namespace vcm::calc {

/// What stops a calculation: a result that overflowed or is not a number, or a division by exactly zero.
/// The message says in plain words what went wrong and what the user can change.
struct ArithmeticFault {
    QString message;
};

/// Double arithmetic that notices the faults a calculation must stop on. Every operation returns its plain
/// IEEE result, so values stay exactly what the formulas give; the first operation that divides by exactly
/// zero or whose result is not finite is kept as the fault. Checking every intermediate (sums included)
/// matters: a later x / infinity would quietly turn an overflow into 0.
class CheckedArithmetic {
  public:
    /// `tooLargeAdvice` is the second line of an overflow message: which inputs to look at.
    explicit CheckedArithmetic(QString tooLargeAdvice);

    /// Names the quantity that the following operations work out, for the overflow message.
    void computing(QString quantity);

    double add(double a, double b);
    double subtract(double a, double b);
    double multiply(double a, double b);
    /// `zeroDivisorMessage` is the whole message shown when `b` is exactly zero; a constant divisor
    /// needs none.
    double divide(double a, double b, const QString& zeroDivisorMessage = {});

    const std::optional<ArithmeticFault>& fault() const { return fault_; }

  private:
    double checked(double result);
    void record(const QString& message);

    QString tooLargeAdvice_;
    QString quantity_;
    std::optional<ArithmeticFault> fault_;
};

}  // namespace vcm::calc
