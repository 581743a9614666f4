#include "app/OperatingNotes.h"

#include <QStringList>

namespace vcm::app {

QString operatingNotesText() {
    const QStringList lines{
        QStringLiteral("Evaluation Software Notes:"),
        QString(),
        QStringLiteral("1) Hover mouse pointer over each field on the form for explanations"),
        QStringLiteral("2) Device EEPROM value is loaded to DAC register at power-ON"),
        QStringLiteral("3) For device EEPROM programming operation, AVDD+VGH > 20V"),
        QStringLiteral("4) The Calculator Tool shows expected output voltage at the POS pin,"),
        QStringLiteral("   actual \"OUT\" can differ slightly due to VCOM amplifier offset"),
        QStringLiteral(
            "5) When using the mouse wheel, Page Up, Page Down, or Up/Down arrow keys to change the"),
        QStringLiteral(
            "   DCP slider value (and focus is not kept in the text entry box), when returing to adjusting"),
        QStringLiteral(
            "   the slider manually focus may be lost and the value will not be sent automatically."),
        QStringLiteral("   Click on the entry box to apply focus and press Enter to send the new data"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace vcm::app
