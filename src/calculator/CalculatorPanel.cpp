#include "calculator/CalculatorPanel.h"

#include "calculator/FieldTexts.h"
#include "calculator/ForwardCalculation.h"
#include "calculator/ReverseCalculation.h"
#include "calculator/VcomMarker.h"
#include "dcp/DcpText.h"
#include "dcp/LocaleNumber.h"
#include "dcp/NumberFormat.h"
#include "dcp/ProgramGlobals.h"
#include "ui/ControlProperties.h"
#include "ui/FocusLeaveWatcher.h"
#include "ui/LineControl.h"
#include "ui/MessageBoxService.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <variant>

namespace vcm::calc {
namespace {

const QString kAvddDefault = QString::fromUtf16(kAvddDefaultText);
const QString kRsetDefault = QString::fromUtf16(kRsetDefaultText);
const QString kR1Default = QString::fromUtf16(kR1DefaultText);
const QString kR2Default = QString::fromUtf16(kR2DefaultText);
const QString kVoutMinDefault = QString::fromUtf16(kVoutMinDefaultText);

constexpr ui::VbColor kOutOfRangeColor = 0x000000FF;  // red

QString questionText() {
    return QStringLiteral(
        "Yes, Update Output Voltage Range from Resistor Values.\r\n"
        "No, Update Resistor Values from Voltage Range instead.");
}

QString invalidDcpBoxMessage(bool hex) {
    return hex ? QStringLiteral(
                     "The DCP value box does not hold a valid value: it needs a hexadecimal value "
                     "from 00 to FF.\r\nPlease correct the DCP value, then calculate again.")
               : QStringLiteral(
                     "The DCP value box does not hold a valid value: it needs a decimal value "
                     "from 0 to 255.\r\nPlease correct the DCP value, then calculate again.");
}

}  // namespace

CalculatorPanel::CalculatorPanel(const CalculatorControls& controls, const dcp::ProgramGlobals& globals,
                                 ui::MessageBoxService& messages, const QLocale& locale, QObject* parent)
    : QObject(parent), controls_(controls), globals_(globals), messages_(messages), locale_(locale) {}

void CalculatorPanel::updateRangeFromResistors() {
    ForwardInputs inputs;
    inputs.avdd = repairedValue(controls_.txtAVDD, kAvddDefault);
    inputs.rset = repairedValue(controls_.txtRSET, kRsetDefault);
    inputs.r1 = repairedValue(controls_.txtR1, kR1Default);
    inputs.r2 = repairedValue(controls_.txtR2, kR2Default);
    const std::optional<std::uint8_t> d = readDcpValue();
    if (!d) {
        return;
    }
    inputs.d = *d;

    const ForwardCheckOutcome checks = checkForwardInputs(inputs);
    applyCorrections(checks.corrections);
    if (checks.fault) {
        showMessage(checks.fault->message);
        return;
    }

    const auto outcome = computeForward(inputs);
    if (const auto* fault = std::get_if<ArithmeticFault>(&outcome)) {
        showMessage(fault->message);
        return;
    }
    const auto& results = std::get<ForwardResults>(outcome);
    showOperatingPoint(results.ioutMilliamps, results.vrset, results.vcom);
    ui::setControlText(controls_.txtVoutMax, voltageText(results.voutMax, locale_));
    ui::setControlText(controls_.txtVOutMin, voltageText(results.voutMin, locale_));
    placeMarker(inputs.d);
}

void CalculatorPanel::updateResistorsFromRange() {
    ReverseInputs inputs;
    inputs.avdd = repairedValue(controls_.txtAVDD, kAvddDefault);
    inputs.rset = repairedValue(controls_.txtRSET, kRsetDefault);
    // An unreadable VOUTmax becomes the supply as read here, before any check can correct AVDD.
    inputs.voutMax = repairedValue(controls_.txtVoutMax, dcp::formatGeneral(inputs.avdd, locale_));
    inputs.voutMin = repairedValue(controls_.txtVOutMin, kVoutMinDefault);
    const std::optional<std::uint8_t> d = readDcpValue();
    if (!d) {
        return;
    }
    inputs.d = *d;

    applyCorrections(checkReverseInputs(inputs));

    const auto outcome = computeReverse(inputs);
    if (const auto* fault = std::get_if<ArithmeticFault>(&outcome)) {
        showMessage(fault->message);
        return;
    }
    const auto& results = std::get<ReverseResults>(outcome);
    showOperatingPoint(results.ioutMilliamps, results.vrset, results.vcom);
    ui::setControlText(controls_.txtR1, resistorText(results.r1, locale_));
    ui::setControlText(controls_.txtR2, resistorText(results.r2, locale_));

    ui::setForeColor(controls_.txtR1, resistorOutOfRange(results.r1) ? kOutOfRangeColor : ui::kVbButtonText);
    ui::setForeColor(controls_.txtR2, resistorOutOfRange(results.r2) ? kOutOfRangeColor : ui::kVbButtonText);
    ui::setForeColor(controls_.txtAVDD, avddOutOfRange(inputs.avdd) ? kOutOfRangeColor : ui::kVbButtonText);
    placeMarker(inputs.d);
}

void CalculatorPanel::cmdCalculate_Click() {
    updateRangeFromResistors();
}
void CalculatorPanel::txtR1_LostFocus() {
    updateRangeFromResistors();
}
void CalculatorPanel::txtR2_LostFocus() {
    updateRangeFromResistors();
}
void CalculatorPanel::txtVoutMax_LostFocus() {
    updateResistorsFromRange();
}
void CalculatorPanel::txtVOutMin_LostFocus() {
    updateResistorsFromRange();
}

void CalculatorPanel::txtRSET_LostFocus() {
    askWhichCalculation(QStringLiteral("Rset Changed - Update Range from Resistor Values?"));
}

void CalculatorPanel::txtAVDD_LostFocus() {
    askWhichCalculation(QStringLiteral("AVDD Changed - Update Range from Resistor Values?"));
}

void CalculatorPanel::attach(ui::FocusLeaveWatcher& watcher) {
    watcher.watch(controls_.txtAVDD, [this] { txtAVDD_LostFocus(); });
    watcher.watch(controls_.txtRSET, [this] { txtRSET_LostFocus(); });
    watcher.watch(controls_.txtR1, [this] { txtR1_LostFocus(); });
    watcher.watch(controls_.txtR2, [this] { txtR2_LostFocus(); });
    watcher.watch(controls_.txtVoutMax, [this] { txtVoutMax_LostFocus(); });
    watcher.watch(controls_.txtVOutMin, [this] { txtVOutMin_LostFocus(); });
    connect(controls_.cmdCalculate, &QPushButton::clicked, this, &CalculatorPanel::cmdCalculate_Click);
}

double CalculatorPanel::repairedValue(QLineEdit* field, const QString& defaultText) const {
    // One reading both tests the text (as numberIsNotValid does) and converts it.
    if (const std::optional<double> value = dcp::localeNumber(field->text(), locale_)) {
        return *value;
    }
    field->setText(defaultText);
    // Every default text converts.
    return dcp::localeNumber(field->text(), locale_).value_or(0.0);
}

std::optional<std::uint8_t> CalculatorPanel::readDcpValue() {
    const bool hex = globals_.displayHex != dcp::kVbFalse;
    const std::optional<std::uint8_t> d = dcp::dcpValueOf(controls_.txtTest->text(), hex, locale_);
    if (!d) {
        // Only pasting can put such a text into the box; stop before anything is checked or written.
        showMessage(invalidDcpBoxMessage(hex));
        return std::nullopt;
    }
    controls_.lblDVR2->setText(hex ? QStringLiteral("DCP (hex)") : QStringLiteral("DCP (dec)"));
    return d;
}

void CalculatorPanel::applyCorrections(const std::vector<InputCorrection>& corrections) {
    for (const InputCorrection& correction : corrections) {
        showMessage(correction.message);
        for (const InputReset& reset : correction.resets) {
            inputField(reset.field)->setText(resetText(reset));
        }
    }
}

QLineEdit* CalculatorPanel::inputField(CalculatorInput input) const {
    switch (input) {
        case CalculatorInput::AVDD:
            return controls_.txtAVDD;
        case CalculatorInput::RSET:
            return controls_.txtRSET;
        case CalculatorInput::VoutMax:
            return controls_.txtVoutMax;
        case CalculatorInput::VOutMin:
            return controls_.txtVOutMin;
    }
    return nullptr;
}

QString CalculatorPanel::resetText(const InputReset& reset) const {
    switch (reset.field) {
        case CalculatorInput::AVDD:
            return kAvddDefault;
        case CalculatorInput::RSET:
            return kRsetDefault;
        case CalculatorInput::VoutMax:
            return dcp::formatGeneral(reset.value, locale_);
        case CalculatorInput::VOutMin:
            return kVoutMinDefault;
    }
    return {};
}

void CalculatorPanel::showMessage(const QString& text) {
    messages_.show(text, ui::kStyleOkOnly, QString());
}

void CalculatorPanel::askWhichCalculation(const QString& title) {
    if (messages_.show(questionText(), ui::kStyleYesNoQuestionDefaultNo, title) == ui::kAnswerYes) {
        updateRangeFromResistors();
    } else {
        updateResistorsFromRange();
    }
}

void CalculatorPanel::showOperatingPoint(double ioutMilliamps, double vrset, double vcom) {
    ui::setControlText(controls_.txtIOUT, ioutText(ioutMilliamps, locale_));
    ui::setControlText(controls_.txtVRSET, voltageText(vrset, locale_));
    ui::setControlText(controls_.txtVOUT, voltageText(vcom, locale_));
    ui::setControlText(controls_.txtDVR, controls_.txtTest->text());
}

void CalculatorPanel::placeMarker(std::uint8_t d) {
    const VcomMarkerPosition marker = vcomMarkerPosition(d);
    ui::setTwipsTop(controls_.txtVOUT, marker.top);
    ui::setTwipsTop(controls_.lblVCOM, marker.top);
    controls_.Line4->setY1(marker.lineY);
    controls_.Line4->setY2(marker.lineY);
}

}  // namespace vcm::calc
