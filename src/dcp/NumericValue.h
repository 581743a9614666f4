#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

namespace vcm::dcp {

/// The numeric value of a text, read the same way whatever the user's locale:
/// - blanks, tabs and line feeds (and no other character, not even another kind of space or a carriage
///   return) are ignored anywhere in the text, also between the digits and inside the "&H" and "&O" prefixes
///   ("1 2" reads 12, "& H F F" reads 255);
/// - reading stops at the first character that cannot continue the number ("12abc" reads 12);
/// - an optional sign, digits, one period as the decimal point and an exponent (E or D in either case,
///   optional sign, digits; an exponent without digits is ignored, so "1e" reads 1);
/// - "&H" followed by 1-4 hex digits is a 16-bit two's-complement number ("&HFFFF" is -1), 5-8 digits a
///   32-bit one ("&H10000" is 65536, "&HFFFFFFFF" is -1); "&O" followed by octal digits is a 16-bit
///   two's-complement number while its value fits 16 bits ("&O177777" is -1), else a 32-bit one
///   ("&O200000" is 65536); a prefix without digits reads 0, and so does a sign in front of "&";
/// - a text with no number at its start reads 0.
/// Overflow never throws: nine or more hex digits, or an octal value beyond 32 bits, read as +infinity,
/// and a decimal number beyond the double range reads as +/-infinity, so callers that check a range see
/// "too large". A zero result is always +0. Linear in the length of the text.
double numericValue(QStringView text);

/// True for the characters the reading ignores: blank, tab and line feed.
bool isIgnoredInNumber(QChar c);

/// The numeric value of a text that is one number and nothing else, by the rule above: at least one digit
/// (after "&H" or "&O" too), no character left over, and an exponent, if there is one, with a digit.
/// "7 D" after "&H" reads 0x7D; "12abc", "1e", "&H", "" and " 12\r" give nullopt. Overflow gives
/// +/-infinity, as above, for the caller's range check.
std::optional<double> wholeNumericValue(QStringView text);

/// Rounds to the nearest integer, an exact half to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

/// Converts to a 16-bit integer (nearest, halves to even); nullopt when NaN or outside -32768..32767.
std::optional<std::int16_t> toInteger16(double value);

/// Converts to an unsigned byte (nearest, halves to even); nullopt when NaN or outside 0..255 after
/// rounding (so -0.5 gives 0 and 255.5 gives nullopt).
std::optional<std::uint8_t> toByte(double value);

}  // namespace vcm::dcp
