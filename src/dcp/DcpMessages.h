#pragma once

#include <QString>

namespace vcm::dcp {

/// The message shown when the value box holds text that is not a DCP value in the current display mode
/// (only pasting can put it there). Nothing is sent to the chip in that case.
inline QString notADcpValueMessage(const QString& text, bool hex) {
    const QString shown = text.size() > 40 ? text.left(40) + QStringLiteral("...") : text;
    return hex ? QStringLiteral(
                     "The DCP value \"%1\" is not a hexadecimal value from 00 to FF.\r\n"
                     "Nothing was sent to the chip. Please correct the value.")
                     .arg(shown)
               : QStringLiteral(
                     "The DCP value \"%1\" is not a decimal value from 0 to 255.\r\n"
                     "Nothing was sent to the chip. Please correct the value.")
                     .arg(shown);
}

}  // namespace vcm::dcp
