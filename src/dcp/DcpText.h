#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

namespace vcm::dcp {

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

/// Where the value box's change rule puts the slider for a text that it has let stand: the number the
/// text spells, limited to 0..255 and rounded (halves to even). In hexadecimal mode that is the number of
/// its leading hex digits; in decimal mode the text as the user's locale writes numbers, or its leading
/// number when the locale does not read it.
int sliderValueOf(const QString& text, bool hex, const QLocale& locale);

/// The DCP value a text stands for when the whole text is one number, as the calculator reads it: in
/// hexadecimal mode "&H" + text read by the numeric rule (blanks, tabs and line feeds ignored, so "7 D"
/// is 0x7D), in decimal mode the text as the locale writes numbers, converted to the nearest byte
/// (halves to even: "1.5" is 2, "2.5" is 2). Anything else (a text with other characters, such as a
/// no-break space or a carriage return, or a number outside 0..255) gives nullopt.
std::optional<std::uint8_t> dcpValueOf(const QString& text, bool hex, const QLocale& locale);

/// The value a send or an EEPROM write may put on the bus for a text: dcpValueOf, but only for a whole
/// number ("2.0", "+7" and "1e1" are 2, 7 and 10; "1.5" is refused), and only when it is also where the
/// slider stands for that text, so the chip never gets a value other than the one the slider shows.
std::optional<std::uint8_t> sendableDcpValue(const QString& text, bool hex, const QLocale& locale);

}  // namespace vcm::dcp
