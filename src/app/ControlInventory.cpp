#include "app/ControlInventory.h"

#include "app/Pictures.h"
#include "ui/CaptionButton.h"
#include "ui/ControlProperties.h"
#include "ui/VbScrollBar.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <vector>

namespace vcm::app {
namespace {

constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignTop;
constexpr Qt::Alignment kLeftTop = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment kCentred = Qt::AlignCenter;
constexpr const char* window = "";
constexpr const char* volts = "Units of Voltage";
constexpr const char* ohms = "Units of Resistance";

using K = ControlKind;

// clang-format off
const ControlEntry kControls[] = {
    {"fraDisplay", K::Frame, window, "Display", "", 120, 0, 2175, 615, 39},
    {"Frame1", K::Frame, window, "HID Module Status", "", 5160, 120, 2295, 615, 41},
    {"dvrFrame", K::Frame, window, "DCP REGISTER/EEPROM", "", 120, 720, 3255, 3495, 12},
    {"fraCalculator", K::Frame, window, "DCP Calculator", "", 3480, 720, 4575, 3495, 0},
    {"Image1", K::Image, window, "", "", 8160, 360, 4110, 3435, -1, {}, false, false, {}, true, false, Picture::Schematic},
    {"imgCorvaneLogo", K::Image, window, "", "Power that holds the picture steady", 8280, 3840, 3465, 405, -1, {}, false, false, {}, true, false, Picture::Logo},
    {"btnHelp", K::CommandButton, window, "?", "Operational Notes", 11880, 3840, 375, 375, 36},

    {"opDisplayMode(0)", K::OptionButton, "fraDisplay", "HEX", "Value in Hexadecimal", 240, 240, 735, 255, 1, {}, false, false, {}, true, true},
    {"opDisplayMode(1)", K::OptionButton, "fraDisplay", "DEC", "Value in Decimal", 1320, 240, 735, 255, 40},

    {"cmdConnect", K::CommandButton, "Frame1", "", "", 360, 240, 1575, 255, 42, {}, false, true, ui::VbColor{0x0000FF00}},

    {"vscTest(0)", K::ScrollBar, "dvrFrame", "", "", 600, 480, 375, 1935, 13},
    {"cmdWrite", K::CommandButton, "dvrFrame", "Write to EEPROM", "Write value to EEPROM (flashing = current value is NOT in EEPROM)", 1680, 720, 1335, 855, 15, {}, false, true, ui::VbColor{0x000000FF}},
    {"cmdRead", K::CommandButton, "dvrFrame", "Read from Data Register", "Reads the current value in the Data Register (not EEPROM)", 1680, 2040, 1335, 855, 16},
    {"lblDVR", K::Label, "dvrFrame", "DCP Value", "", 360, 2520, 855, 375, 25, kCentre},
    {"txtTest(0)", K::TextBox, "dvrFrame", "0", "Type in a Value, or use Up/Down and Page Up/Down keys or Mouse scroll wheel", 480, 2760, 615, 285, 14, kCentred},
    {"LabelEnterReminder", K::Label, "dvrFrame", "Press ENTER to Send", "", 120, 3120, 1695, 255, 26, kLeftTop, false, false, {}, false},

    {"lblAVDD", K::Label, "fraCalculator", "AVDD", "Analog Power Supply", 120, 360, 615, 255, 7, kRight},
    {"txtAVDD", K::TextBox, "fraCalculator", "8", "Value for Analog Supply Voltage", 840, 360, 975, 285, 2, kCentred},
    {"Label1", K::Label, "fraCalculator", "V", volts, 1920, 360, 375, 255, 24, kLeftTop},
    {"lblRSET", K::Label, "fraCalculator", "RSET", "Value of Rset resistor", 120, 720, 615, 255, 8, kRight},
    {"txtRSET", K::TextBox, "fraCalculator", "10000", "Value of Rset Resistor", 840, 720, 975, 285, 3, kCentred},
    {"Label2", K::Label, "fraCalculator", "ohm", ohms, 1920, 720, 375, 255, 21, kLeftTop},
    {"lblR1", K::Label, "fraCalculator", "R1", "Value of TOP resistor in Divider", 120, 1080, 615, 255, 9, kRight},
    {"txtR1", K::TextBox, "fraCalculator", "83000", "Value of Resistor R1", 840, 1080, 975, 285, 4, kCentred},
    {"Label3", K::Label, "fraCalculator", "ohm", ohms, 1920, 1080, 375, 255, 22, kLeftTop},
    {"lblR2", K::Label, "fraCalculator", "R2", "Value of BOTTOM resistor in Divider", 120, 1440, 615, 255, 10, kRight},
    {"txtR2", K::TextBox, "fraCalculator", "133000", "Value of Resistor R2", 840, 1440, 975, 285, 5, kCentred},
    {"Label4", K::Label, "fraCalculator", "ohm", ohms, 1920, 1440, 375, 255, 23, kLeftTop},
    {"cmdCalculate", K::CommandButton, "fraCalculator", "Calculate", "Update Numbers", 600, 1800, 1455, 375, 35},
    {"lblIOUT", K::Label, "fraCalculator", "IOUT", "Current drawn from Divider", 240, 2280, 615, 255, 11, kRight},
    {"txtIOUT", K::TextBox, "fraCalculator", "0", "Value of Current drawn from Divider", 960, 2280, 855, 285, 6, kCentred, true},
    {"Label7", K::Label, "fraCalculator", "mA", "Units of Current", 1920, 2280, 375, 255, 38, kLeftTop},
    {"lblVRSET", K::Label, "fraCalculator", "VRSET", "Voltage at the top of resistor Rset", 240, 2640, 615, 255, 18, kRight},
    {"txtVRSET", K::TextBox, "fraCalculator", "0", "Value of Vrset", 960, 2640, 855, 285, 20, kCentred, true},
    {"Label6", K::Label, "fraCalculator", "V", volts, 1920, 2640, 375, 255, 37, kLeftTop},
    {"lblDVR2", K::Label, "fraCalculator", "DVR (hex)", "DVR setting", 0, 3000, 855, 255, 28, kRight},
    {"txtDVR", K::TextBox, "fraCalculator", "0", "Divider Setting", 960, 3000, 855, 285, 27, kCentred, true},
    {"lblVmax", K::Label, "fraCalculator", "VOUTmax", "Maximum Vout", 2280, 360, 735, 255, 31, kRight},
    {"txtVoutMax", K::TextBox, "fraCalculator", "18", "Value for desired Maximum Output Voltage", 3120, 360, 735, 285, 29, kCentred},
    {"lable5", K::Label, "fraCalculator", "V", volts, 3960, 360, 375, 255, 30, kLeftTop},
    {"lblVCOM", K::Label, "fraCalculator", "VCOM", "Voltage at the Vcom node using current DVR value", 2400, 720, 615, 255, 17, kRight},
    {"txtVOUT", K::TextBox, "fraCalculator", "0", "Value of VCOM Voltage", 3600, 720, 855, 285, 19, kCentred, true},
    {"lblVoutMin", K::Label, "fraCalculator", "VOUTmin", "Minimum Vout", 2280, 3000, 735, 255, 34, kRight},
    {"txtVOutMin", K::TextBox, "fraCalculator", "18", "Value for desired Minimum Output Voltage", 3120, 3000, 735, 285, 32, kCentred},
    {"Label5", K::Label, "fraCalculator", "V", volts, 3960, 3000, 375, 255, 33, kLeftTop},
};
// clang-format on

QWidget* makeControl(const ControlEntry& entry, QWidget* container) {
    const QString text = QString::fromUtf8(entry.text);
    switch (entry.kind) {
        case ControlKind::Frame:
            return new QGroupBox(text, container);
        case ControlKind::Image:
            return makePicture(entry.picture, container);
        case ControlKind::CommandButton: {
            auto* button = new ui::CaptionButton(container);
            button->setText(text);
            button->setGraphicalStyle(entry.graphical);
            if (entry.backColor) {
                button->setBackColor(*entry.backColor);
            }
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::OptionButton: {
            auto* option = new QRadioButton(text, container);
            option->setChecked(entry.selected);
            return option;
        }
        case ControlKind::ScrollBar:
            return new ui::VbScrollBar(255, 0, 0, container);
        case ControlKind::Label: {
            auto* label = new QLabel(text, container);
            label->setAlignment(entry.alignment);
            label->setWordWrap(true);
            return label;
        }
        case ControlKind::TextBox: {
            auto* box = new QLineEdit(text, container);
            box->setAlignment(entry.alignment);
            box->setReadOnly(entry.locked);
            if (entry.locked) {
                ui::setBackColor(box, ui::kVbButtonFace);
            }
            box->setTextMargins(0, 0, 0, 0);
            return box;
        }
    }
    return nullptr;
}

/// Whether a caption fits its control at the control's current font (buttons wrap their captions).
bool captionFits(const QWidget* control, const QString& caption) {
    const QFontMetrics metrics(control->font());
    int width = control->width();
    int flags = Qt::AlignCenter;
    if (qobject_cast<const QRadioButton*>(control) != nullptr) {
        width -= 20;  // the indicator and its gap
    } else if (qobject_cast<const QPushButton*>(control) != nullptr) {
        width -= 6;
        flags |= Qt::TextWordWrap;
    }
    const QRect needed = metrics.boundingRect(QRect(0, 0, width, 10000), flags, caption);
    return needed.width() <= width && needed.height() <= control->height();
}

/// Fonts differ between platforms; a caption that would be cut off at the window's font gets a smaller
/// size, so every caption stays fully visible in the size the layout gives its control.
void fitCaption(QWidget* control, const QString& caption) {
    if (caption.isEmpty() || qobject_cast<QLineEdit*>(control) != nullptr ||
        qobject_cast<QGroupBox*>(control) != nullptr) {
        return;
    }
    QFont font = control->font();
    while (!captionFits(control, caption) && font.pixelSize() > 8) {
        font.setPixelSize(font.pixelSize() - 1);
        control->setFont(font);
    }
}

}  // namespace

std::span<const ControlEntry> mainWindowControls() {
    return kControls;
}

QHash<QString, QWidget*> buildControls(QWidget* client, std::span<const ControlEntry> entries) {
    QHash<QString, QWidget*> built;
    for (const ControlEntry& entry : entries) {
        QWidget* container =
            *entry.container == '\0' ? client : built.value(QString::fromUtf8(entry.container));
        QWidget* control = makeControl(entry, container);
        control->setObjectName(QString::fromUtf8(entry.name));
        control->setToolTip(QString::fromUtf8(entry.toolTip));
        control->setProperty("tabIndex", entry.tabIndex);
        ui::setTwipsGeometry(control, entry.left, entry.top, entry.width, entry.height);
        fitCaption(control, QString::fromUtf8(entry.text).remove(QLatin1Char('&')));
        if (!entry.visible) {
            control->hide();
        }
        built.insert(control->objectName(), control);
    }
    return built;
}

void nameInputsAfterTheirLabels(const QHash<QString, QWidget*>& built) {
    // A screen reader says the label beside an input, since the inputs have no captions of their own.
    const std::pair<const char*, const char*> pairs[] = {
        {"txtTest(0)", "lblDVR"},  {"vscTest(0)", "lblDVR"}, {"txtAVDD", "lblAVDD"},
        {"txtRSET", "lblRSET"},    {"txtR1", "lblR1"},       {"txtR2", "lblR2"},
        {"txtIOUT", "lblIOUT"},    {"txtVRSET", "lblVRSET"}, {"txtDVR", "lblDVR2"},
        {"txtVoutMax", "lblVmax"}, {"txtVOUT", "lblVCOM"},   {"txtVOutMin", "lblVoutMin"},
    };
    for (const auto& [input, label] : pairs) {
        auto* caption = qobject_cast<QLabel*>(built.value(QString::fromLatin1(label)));
        if (QWidget* control = built.value(QString::fromLatin1(input));
            control != nullptr && caption != nullptr) {
            control->setAccessibleName(caption->text());
        }
    }
}

void applyTabOrder(const QHash<QString, QWidget*>& built, std::span<const ControlEntry> entries) {
    std::vector<const ControlEntry*> ordered;
    for (const ControlEntry& entry : entries) {
        if (entry.tabIndex >= 0) {
            ordered.push_back(&entry);
        }
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const ControlEntry* a, const ControlEntry* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlEntry* entry : ordered) {
        QWidget* control = built.value(QString::fromUtf8(entry->name));
        if (control == nullptr || control->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
}

}  // namespace vcm::app
