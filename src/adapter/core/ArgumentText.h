#pragma once

#include <QString>

#include <cstdint>

namespace vcm::adapter {

/// A byte value as every executable takes it on its command line (a DCP value, the simulated EEPROM):
/// blanks around it aside, hexadecimal digits in either case with or without "0x", or with `decimal` the
/// digits 0-9, leading zeros allowed either way ("7D", "0x7d", "07D", "7"; decimal "125", "0007"). The
/// value must fit a byte: at most two hexadecimal digits or 255 once the leading zeros are gone.
struct ByteArgument {
    enum class Status {
        Ok,
        Malformed,   ///< not digits of the base (a sign other than minus, a point, an empty text)
        OutOfRange,  ///< digits of the base, but above FF (255), or a minus sign before them
    };
    Status status = Status::Malformed;
    std::uint8_t value = 0;  ///< meaningful when Ok
};

ByteArgument readByteArgument(const QString& text, bool decimal);

/// A bad input as an error message quotes it: in single quotes, at most its first `limit` characters
/// (then "..."), with line breaks, tabs and other control characters escaped, so that whatever was typed,
/// pasted or answered gives one short, readable line.
QString quotedArgument(const QString& text, qsizetype limit = 40);

}  // namespace vcm::adapter
