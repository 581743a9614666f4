#include "dcp/ValueEntry.h"

#include "dcp/DcpText.h"
#include "dcp/LocaleNumber.h"
#include "dcp/NumericValue.h"
#include "ui/VbScrollBar.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace vcm::dcp {
namespace {

/// Change of the value for the keys that step it.
int stepOf(int keyCode) {
    switch (keyCode) {
        case ValueEntry::keyUp:
            return 1;
        case ValueEntry::keyDown:
            return -1;
        case ValueEntry::keyPageUp:
            return 16;
        case ValueEntry::keyPageDown:
            return -16;
        default:
            return 0;
    }
}

bool isSendingKey(int keyCode) {
    return keyCode == ValueEntry::keyEnter || stepOf(keyCode) != 0;
}

}  // namespace

ValueEntry::ValueEntry(const DcpControls& controls, ProgramGlobals& globals, RegisterAccess& registers,
                       ui::PauseService& pauses, std::function<void()> updateRangeFromResistors,
                       QLocale locale)
    : controls_(controls),
      globals_(globals),
      registers_(registers),
      pauses_(pauses),
      updateRangeFromResistors_(std::move(updateRangeFromResistors)),
      locale_(std::move(locale)) {}

void ValueEntry::initValueBox() {
    controls_.txtTest->setAlignment(Qt::AlignCenter);
    controls_.txtTest->setText(QStringLiteral("00"));
}

void ValueEntry::txtTest_KeyDown(int index, int keyCode, int /*shift*/) {
    stepDcpValue(index, keyCode);
}

void ValueEntry::txtTest_KeyPress(int /*index*/, std::uint16_t& keyAscii) {
    if (hex()) {
        filterHexKey(keyAscii);
    } else {
        filterDecimalKey(keyAscii);
    }
}

void ValueEntry::txtTest_Change(int /*index*/) {
    QLineEdit* box = controls_.txtTest;
    // Every setText below runs this rule again, nested, before the next step reads the text afresh.
    if (hex()) {
        if (box->text().isEmpty()) {
            box->setText(QStringLiteral("0"));
        }
        box->setCursorPosition(static_cast<int>(std::min<qsizetype>(2, box->text().size())));
        if (dcpNumber(box->text(), true) > 255) {
            box->setText(byteToHex(255));
        }
        if (dcpNumber(box->text(), true) < 0) {
            box->setText(byteToHex(0));
        }
        controls_.vscTest->setValue(sliderValueOf(box->text(), true, locale_));
        return;
    }
    if (isNotLocaleNumber(box->text(), locale_)) {
        box->setText(QStringLiteral("0"));
    }
    if (dcpNumber(box->text(), false) > 255) {
        box->setText(QStringLiteral("255"));
    }
    if (dcpNumber(box->text(), false) < 0) {
        box->setText(QStringLiteral("0"));
    }
    // The slider takes the text converted as the user's locale writes numbers (the text passed that test
    // above), limited to its range so that a pasted "1,000" goes to the top.
    controls_.vscTest->setValue(sliderValueOf(box->text(), false, locale_));
}

void ValueEntry::txtTest_LostFocus(int /*index*/) {
    globals_.sendOnSliderChange = kVbTrue;
}

void ValueEntry::vscTest_Change(int /*index*/) {
    controls_.txtTest->setText(dcpText(controls_.vscTest->value(), hex()));
    updateRangeFromResistors_();
    if (globals_.sendOnSliderChange == kVbTrue) {
        registers_.writeDataRegister();
    }
}

void ValueEntry::stepDcpValue(int /*index*/, int keyCode) {
    globals_.sendOnSliderChange = kVbFalse;
    const bool sending = isSendingKey(keyCode);
    controls_.LabelEnterReminder->setVisible(!sending);
    if (const int step = stepOf(keyCode); step != 0) {
        const double value = std::clamp(dcpNumber(controls_.txtTest->text(), hex()) + step, 0.0, 255.0);
        controls_.txtTest->setText(dcpText(static_cast<int>(roundHalfEven(value)), hex()));
    }
    if (sending) {
        registers_.writeDataRegister();
    }
    pauses_.pause(stepPauseMs);
}

void ValueEntry::MouseWheelRolled(std::int32_t rotation) {
    if (rotation > 0) {
        stepDcpValue(0, keyDown);
    } else if (rotation < 0) {
        stepDcpValue(0, keyUp);
    }
}

}  // namespace vcm::dcp
