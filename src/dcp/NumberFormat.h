#pragma once

#include <QLocale>
#include <QString>

namespace vcm::dcp {

// Both forms write ASCII digits and an ASCII "-"; only the decimal separator comes from the locale, so
// localeNumber reads every text they write back under the same locale. NaN and infinities (no caller
// passes them) are written "NaN", "Infinity" and "-Infinity", texts that localeNumber rejects, so a field
// that ever showed one is repaired by the next run like any other non-numeric text.

/// Formats a value with a fixed number of decimals, as the patterns "0.0", "0.0000" and "0.00000" do:
/// at least one digit before the separator, exactly `decimals` decimals (the count is held to 0..340),
/// no digit grouping, a leading minus for a negative value, the locale's decimal separator. Halves are
/// rounded away from zero, and the value is rounded from its 15-significant-digit decimal form, not from
/// its binary expansion (so 0.00015625 with five decimals gives 0.00016 and 2.675 with two gives 2.68,
/// however the double happens to lie). A negative value keeps its minus even where it rounds to zero
/// (-0.00001 with four decimals gives "-0.0000"); zero itself, also -0.0, has none.
QString formatFixed(double value, int decimals, const QLocale& locale);

/// The general text form of a number: rounded to 15 significant digits, without trailing zeros, without
/// digit grouping, with the locale's decimal separator (8 -> "8", 12.5 -> "12.5"). Magnitudes whose
/// rounded decimal exponent is 15 or more, or below -15, are written in scientific form with at least two
/// exponent digits: 1e20 -> "1E+20", -2.5e-16 -> "-2.5E-16"; 1e15 -> "1E+15" but 1e-15 ->
/// "0.000000000000001".
///
/// In both forms a value so near the largest double that its 15 digits would round beyond it is cut to
/// the 15 digits below, so every text written here reads back as a finite number.
QString formatGeneral(double value, const QLocale& locale);

}  // namespace vcm::dcp
