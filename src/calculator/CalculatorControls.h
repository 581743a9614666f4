#pragma once

class QLabel;
class QLineEdit;
class QPushButton;

namespace vcm::ui {
class LineControl;
}  // namespace vcm::ui

namespace vcm::calc {

/// The controls of the divider calculator frame, as the main window creates them, plus the DCP value box
/// that the calculator reads. The calculator keeps no numbers of its own: these texts are its state.
struct CalculatorControls {
    QLineEdit* txtAVDD = nullptr;
    QLineEdit* txtRSET = nullptr;
    QLineEdit* txtR1 = nullptr;
    QLineEdit* txtR2 = nullptr;
    QLineEdit* txtVoutMax = nullptr;
    QLineEdit* txtVOutMin = nullptr;
    QLineEdit* txtIOUT = nullptr;
    QLineEdit* txtVRSET = nullptr;
    QLineEdit* txtVOUT = nullptr;
    QLineEdit* txtDVR = nullptr;
    QLabel* lblDVR2 = nullptr;
    QLabel* lblVCOM = nullptr;
    ui::LineControl* Line4 = nullptr;
    QPushButton* cmdCalculate = nullptr;
    QLineEdit* txtTest = nullptr;  ///< the DCP value box, member 0; read only
};

}  // namespace vcm::calc
