#pragma once

class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;

namespace vcm::ui {
class CaptionButton;
class VbScrollBar;
}  // namespace vcm::ui

namespace vcm::dcp {

/// The DCP register controls of the main window, with the texts that show the DCP value elsewhere.
/// The value box's text is the only store of the DCP value.
struct DcpControls {
    QLineEdit* txtTest = nullptr;        ///< member 0 of the value box array
    ui::VbScrollBar* vscTest = nullptr;  ///< member 0 of the slider array
    QLabel* LabelEnterReminder = nullptr;
    ui::CaptionButton* cmdWrite = nullptr;
    ui::CaptionButton* cmdRead = nullptr;
    QTimer* Timer1 = nullptr;
    QRadioButton* opDisplayModeHex = nullptr;  ///< opDisplayMode(0)
    QRadioButton* opDisplayModeDec = nullptr;  ///< opDisplayMode(1)
    QLineEdit* txtDVR = nullptr;
    QLabel* lblDVR = nullptr;
    QLabel* lblDVR2 = nullptr;
};

}  // namespace vcm::dcp
