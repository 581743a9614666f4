#include "dcp/RegisterAccess.h"

#include "dcp/DcpMessages.h"
#include "dcp/DcpText.h"
#include "dcp/DcpTransactions.h"
#include "ui/CaptionButton.h"

#include <QLineEdit>
#include <QTimer>

namespace vcm::dcp {

RegisterAccess::RegisterAccess(const DcpControls& controls, ProgramGlobals& globals,
                               adapter::AdapterLibrary& library, ui::MessageBoxService& messages,
                               ui::PauseService& pauses, std::function<void()> updateRangeFromResistors,
                               QLocale locale)
    : controls_(controls),
      globals_(globals),
      library_(library),
      messages_(messages),
      pauses_(pauses),
      updateRangeFromResistors_(std::move(updateRangeFromResistors)),
      locale_(std::move(locale)) {}

void RegisterAccess::cmdRead_Click() {
    const std::optional<std::uint8_t> value = readDataRegister(library_, globals_.selectedModule);
    if (!value) {
        return;
    }
    // Setting the text runs the value-entry rules at once; they may send the value back to the data
    // register, which turns the indication on before it is turned off below.
    controls_.txtTest->setText(dcpText(*value, globals_.displayHex == kVbTrue));
    setIndication(false);
}

void RegisterAccess::writeDataRegister() {
    // Only pasting can put a non-value into the box; then nothing goes on the bus and the indication
    // stays as it was, since nothing was sent.
    const std::optional<std::uint8_t> value = boxValueOrComplain();
    if (!value) {
        return;
    }
    setIndication(true);
    (void)writeDcp(library_, dataRegisterWrite(*value), globals_.selectedModule);
    updateRangeFromResistors_();
}

void RegisterAccess::cmdWrite_Click() {
    // The EEPROM must never receive a value the box did not show: with no valid value nothing is
    // programmed, and the indication keeps saying that the EEPROM may differ.
    const std::optional<std::uint8_t> value = boxValueOrComplain();
    if (!value) {
        return;
    }
    setIndication(false);
    (void)writeDcp(library_, eepromWrite(*value), globals_.selectedModule);
    pauses_.pause(eepromPauseMs);
}

void RegisterAccess::Timer1_Timer() {
    ui::CaptionButton* button = controls_.cmdWrite;
    button->setBackColor(button->backColor() == flashBright ? ui::kVbButtonFace : flashBright);
}

std::optional<std::uint8_t> RegisterAccess::boxValueOrComplain() {
    const bool hex = globals_.displayHex == kVbTrue;
    const QString text = controls_.txtTest->text();
    const std::optional<std::uint8_t> value = sendableDcpValue(text, hex, locale_);
    if (!value) {
        messages_.show(notADcpValueMessage(text, hex), ui::kStyleOkOnly, QString());
    }
    return value;
}

void RegisterAccess::setIndication(bool flashing) {
    // Enabling a running timer leaves its phase alone, as assigning an unchanged Enabled does.
    if (flashing && !controls_.Timer1->isActive()) {
        controls_.Timer1->start();
    } else if (!flashing) {
        controls_.Timer1->stop();
    }
    controls_.cmdWrite->setBackColor(ui::kVbButtonFace);
}

}  // namespace vcm::dcp
