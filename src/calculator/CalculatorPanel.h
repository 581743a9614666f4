#pragma once

#include "calculator/CalculatorControls.h"
#include "calculator/InputChecks.h"

#include <QLocale>
#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace vcm::dcp {
struct ProgramGlobals;
}  // namespace vcm::dcp

namespace vcm::ui {
class FocusLeaveWatcher;
class MessageBoxService;
}  // namespace vcm::ui

namespace vcm::calc {

/// The calculator frame's behaviour: the forward and reverse calculations and the events that start them.
/// Every run reads the field texts afresh, repairs and checks them, computes with the pure core and only
/// then writes results, so a run stopped by an arithmetic fault leaves every output, colour and the marker
/// as they were. Numbers are read and written in `locale` (the user's locale in the program).
class CalculatorPanel : public QObject {
    Q_OBJECT
  public:
    CalculatorPanel(const CalculatorControls& controls, const dcp::ProgramGlobals& globals,
                    ui::MessageBoxService& messages, const QLocale& locale, QObject* parent = nullptr);

    /// Forward: from AVDD, RSET, R1, R2 and the DCP value to IOUT, VRSET, VCOM and the range.
    void updateRangeFromResistors();
    /// Reverse: from AVDD, RSET and the wanted range to IOUT, VRSET, VCOM, R1 and R2, with colours.
    void updateResistorsFromRange();

    void cmdCalculate_Click();
    void txtR1_LostFocus();
    void txtR2_LostFocus();
    void txtVoutMax_LostFocus();
    void txtVOutMin_LostFocus();
    void txtRSET_LostFocus();
    void txtAVDD_LostFocus();

    /// Runs the six input fields' leave handlers when the focus moves on from them within the window, and
    /// cmdCalculate_Click on the button's click. The watcher must not outlive the panel.
    void attach(ui::FocusLeaveWatcher& watcher);

  private:
    double repairedValue(QLineEdit* field, const QString& defaultText) const;
    std::optional<std::uint8_t> readDcpValue();
    void applyCorrections(const std::vector<InputCorrection>& corrections);
    QLineEdit* inputField(CalculatorInput input) const;
    QString resetText(const InputReset& reset) const;
    void showMessage(const QString& text);
    void askWhichCalculation(const QString& title);
    /// The first four fields both calculations write, in this order: IOUT, VRSET, VCOM, the DCP text.
    void showOperatingPoint(double ioutMilliamps, double vrset, double vcom);
    void placeMarker(std::uint8_t d);

    CalculatorControls controls_;
    const dcp::ProgramGlobals& globals_;
    ui::MessageBoxService& messages_;
    QLocale locale_;
};

}  // namespace vcm::calc
