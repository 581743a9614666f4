#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace vcm::dcp {

/// Reads a whole text as a number the way the given locale writes numbers (never the process default):
/// - surrounding blanks, tabs and line feeds are ignored (no other kind of space); inside the number only a
/// group separator (below) may stand;
/// - a leading sign, "+" / "-" or the locale's own sign symbols;
/// - ASCII digits; in the integer part the locale's group separator may stand between any two digits,
///   wherever it falls ("1.000,5" is 1000.5 and "1.5" is 15 in German); where the locale groups with a
///   no-break space, a plain space is taken as well;
/// - the locale's decimal separator, with digits before it, after it or both ("5," and ",5" in German);
/// - an exponent: "E" (either case) or the locale's exponent symbol, an optional sign, at least one digit;
/// - or, instead of all that, "&H" with 1-8 hex digits or "&O" with octal digits up to a 32-bit value,
///   read as numericValue reads them (16-bit or 32-bit two's complement; "&HFFFF" is -1).
/// Anything else, an empty text, or a value beyond the double range (including nine or more hex digits)
/// gives nullopt; a value below the smallest double reads 0.
///
/// This is the one rule behind both "is this text a number" and "what number is it": every text it accepts
/// converts, so a caller that tested a text never meets a text it cannot read.
std::optional<double> localeNumber(const QString& text, const QLocale& locale);

/// True when localeNumber rejects the text.
bool isNotLocaleNumber(const QString& text, const QLocale& locale);

}  // namespace vcm::dcp
