#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace vcm {

/// Two upper-case hex digits of a DCP value: above 255 gives "FF", 16..255 its two digits, 0..15 "0" and
/// its digit. A negative value gives "00" (no caller passes one).
QString byteToHex(const std::int16_t& value);

/// Key filter of the value box in hexadecimal mode, changing the 16-bit character code in place: the code
/// becomes that of its upper-case character; 13 (Enter), 8 (Backspace), "0"-"9" and "A"-"F" pass; every
/// other code becomes 0, which swallows the key.
void filterHexKey(std::uint16_t& keyAscii);

/// Key filter in decimal mode: 13, 8 and "0"-"9" pass unchanged; every other code becomes 0.
void filterDecimalKey(std::uint16_t& keyAscii);

/// A DCP value as the box shows it: byteToHex in hexadecimal mode (so above 255 "FF", below 0 "00"),
/// plain decimal digits otherwise (a value outside 0..255 is written as it is, with a minus if negative).
QString dcpText(int value, bool hex);

/// The number a DCP text spells: the numeric value of "&H" + text in hexadecimal mode, of the text itself
/// in decimal mode (so "0A", "a" and "A" read 10 in hex, an empty text 0).
double dcpNumber(const QString& text, bool hex);

/// The DCP byte of a text, strictly: apart from blanks around it, the text must consist only of digits of
/// the mode (hex digits in either case, or decimal digits) and spell 0..255. Anything else (a pasted "1.5",
/// "-1", "7 D", "") gives nullopt, so nothing that merely converts by accident is ever taken as a value
/// for the chip.
std::optional<std::uint8_t> dcpByte(const QString& text, bool hex);

}  // namespace vcm
