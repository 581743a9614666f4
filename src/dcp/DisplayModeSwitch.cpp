#include "dcp/DisplayModeSwitch.h"

#include "dcp/DcpText.h"
#include "dcp/NumericValue.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace vcm::dcp {

DisplayModeSwitch::DisplayModeSwitch(const DcpControls& controls, ProgramGlobals& globals)
    : controls_(controls), globals_(globals) {}

void DisplayModeSwitch::opDisplayMode_Click(int /*index*/) {
    // The flag changes first, so the value box's change rule already reads each new text in the new form.
    globals_.displayHex = controls_.opDisplayModeHex->isChecked() ? kVbTrue : kVbFalse;
    QLineEdit* box = controls_.txtTest;
    if (globals_.displayHex == kVbTrue) {
        const double number = std::clamp(numericValue(box->text()), -32768.0, 32767.0);
        box->setText(byteToHex(toInteger16(number).value_or(0)));
        controls_.txtDVR->setText(box->text());
        controls_.lblDVR->setText(QStringLiteral("DCP (hex)"));
        controls_.lblDVR2->setText(QStringLiteral("DCP (hex)"));
    } else {
        // The change rule keeps a hexadecimal text within 0..FF; the clamp only guards the conversion.
        const double number = std::clamp(dcpNumber(box->text(), true), -1e15, 1e15);
        box->setText(QString::number(static_cast<qint64>(number)));
        controls_.txtDVR->setText(box->text());
        controls_.lblDVR->setText(QStringLiteral("DCP (dec)"));
        controls_.lblDVR2->setText(QStringLiteral("DCP (dec)"));
    }
}

}  // namespace vcm::dcp
