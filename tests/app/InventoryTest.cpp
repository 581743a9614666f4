#include "SimulatedWindow.h"
#include "ui/CaptionButton.h"
#include "ui/ControlProperties.h"
#include "ui/LineControl.h"
#include "ui/VbScrollBar.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <map>

namespace vcm::test {
namespace {

// Kinds: F frame, I image, B command button, O option button, S scroll bar, L label, T text box,
// Tl locked (output) text box. Alignment: c centred, r right, l left, '-' not applicable.
struct Row {
    const char* name;
    const char* kind;
    const char* container;
    const char* text;
    const char* tip;
    int left, top, width, height;
    int tab;
    char align;
};

const Row kRows[] = {
    {"fraDisplay", "F", "", "Display", "", 120, 0, 2175, 615, 39, '-'},
    {"Frame1", "F", "", "HID Module Status", "", 5160, 120, 2295, 615, 41, '-'},
    {"dvrFrame", "F", "", "DCP REGISTER/EEPROM", "", 120, 720, 3255, 3495, 12, '-'},
    {"fraCalculator", "F", "", "DCP Calculator", "", 3480, 720, 4575, 3495, 0, '-'},
    {"Image1", "I", "", "", "", 8160, 360, 4110, 3435, -1, '-'},
    {"btnHelp", "B", "", "?", "Operational Notes", 11880, 3840, 375, 375, 36, '-'},
    {"opDisplayMode(0)", "O", "fraDisplay", "HEX", "Value in Hexadecimal", 240, 240, 735, 255, 1, '-'},
    {"opDisplayMode(1)", "O", "fraDisplay", "DEC", "Value in Decimal", 1320, 240, 735, 255, 40, '-'},
    {"cmdConnect", "B", "Frame1", "CONNECT", "", 360, 240, 1575, 255, 42, '-'},
    {"vscTest(0)", "S", "dvrFrame", "", "", 600, 480, 375, 1935, 13, '-'},
    {"cmdWrite", "B", "dvrFrame", "Write to EEPROM",
     "Write value to EEPROM (flashing = current value is NOT in EEPROM)", 1680, 720, 1335, 855, 15, '-'},
    {"cmdRead", "B", "dvrFrame", "Read from Data Register",
     "Reads the current value in the Data Register (not EEPROM)", 1680, 2040, 1335, 855, 16, '-'},
    {"lblDVR", "L", "dvrFrame", "DCP Value", "", 360, 2520, 855, 375, 25, 'c'},
    {"txtTest(0)", "T", "dvrFrame", "00",
     "Type in a Value, or use Up/Down and Page Up/Down keys or Mouse scroll wheel", 480, 2760, 615, 285, 14,
     'c'},
    {"LabelEnterReminder", "L", "dvrFrame", "Press ENTER to Send", "", 120, 3120, 1695, 255, 26, 'l'},
    {"lblAVDD", "L", "fraCalculator", "AVDD", "Analog Power Supply", 120, 360, 615, 255, 7, 'r'},
    {"txtAVDD", "T", "fraCalculator", "8", "Value for Analog Supply Voltage", 840, 360, 975, 285, 2, 'c'},
    {"Label1", "L", "fraCalculator", "V", "Units of Voltage", 1920, 360, 375, 255, 24, 'l'},
    {"lblRSET", "L", "fraCalculator", "RSET", "Value of Rset resistor", 120, 720, 615, 255, 8, 'r'},
    {"txtRSET", "T", "fraCalculator", "10000", "Value of Rset Resistor", 840, 720, 975, 285, 3, 'c'},
    {"Label2", "L", "fraCalculator", "ohm", "Units of Resistance", 1920, 720, 375, 255, 21, 'l'},
    {"lblR1", "L", "fraCalculator", "R1", "Value of TOP resistor in Divider", 120, 1080, 615, 255, 9, 'r'},
    {"txtR1", "T", "fraCalculator", "83000", "Value of Resistor R1", 840, 1080, 975, 285, 4, 'c'},
    {"Label3", "L", "fraCalculator", "ohm", "Units of Resistance", 1920, 1080, 375, 255, 22, 'l'},
    {"lblR2", "L", "fraCalculator", "R2", "Value of BOTTOM resistor in Divider", 120, 1440, 615, 255, 10,
     'r'},
    {"txtR2", "T", "fraCalculator", "133000", "Value of Resistor R2", 840, 1440, 975, 285, 5, 'c'},
    {"Label4", "L", "fraCalculator", "ohm", "Units of Resistance", 1920, 1440, 375, 255, 23, 'l'},
    {"cmdCalculate", "B", "fraCalculator", "Calculate", "Update Numbers", 600, 1800, 1455, 375, 35, '-'},
    {"lblIOUT", "L", "fraCalculator", "IOUT", "Current drawn from Divider", 240, 2280, 615, 255, 11, 'r'},
    {"txtIOUT", "Tl", "fraCalculator", "0.00016", "Value of Current drawn from Divider", 960, 2280, 855, 285,
     6, 'c'},
    {"Label7", "L", "fraCalculator", "mA", "Units of Current", 1920, 2280, 375, 255, 38, 'l'},
    {"lblVRSET", "L", "fraCalculator", "VRSET", "Voltage at the top of resistor Rset", 240, 2640, 615, 255,
     18, 'r'},
    {"txtVRSET", "Tl", "fraCalculator", "0.0016", "Value of Vrset", 960, 2640, 855, 285, 20, 'c'},
    {"Label6", "L", "fraCalculator", "V", "Units of Voltage", 1920, 2640, 375, 255, 37, 'l'},
    {"lblDVR2", "L", "fraCalculator", "DCP (hex)", "DVR setting", 0, 3000, 855, 255, 28, 'r'},
    {"txtDVR", "Tl", "fraCalculator", "00", "Divider Setting", 960, 3000, 855, 285, 27, 'c'},
    {"lblVmax", "L", "fraCalculator", "VOUTmax", "Maximum Vout", 2280, 360, 735, 255, 31, 'r'},
    {"txtVoutMax", "T", "fraCalculator", "4.9179", "Value for desired Maximum Output Voltage", 3120, 360, 735,
     285, 29, 'c'},
    {"lable5", "L", "fraCalculator", "V", "Units of Voltage", 3960, 360, 375, 255, 30, 'l'},
    {"lblVCOM", "L", "fraCalculator", "VCOM", "Voltage at the Vcom node using current DVR value", 2400, 720,
     615, 255, 17, 'r'},
    {"txtVOUT", "Tl", "fraCalculator", "4.9179", "Value of VCOM Voltage", 3600, 720, 855, 285, 19, 'c'},
    {"lblVoutMin", "L", "fraCalculator", "VOUTmin", "Minimum Vout", 2280, 3000, 735, 255, 34, 'r'},
    {"txtVOutMin", "T", "fraCalculator", "2.8817", "Value for desired Minimum Output Voltage", 3120, 3000,
     735, 285, 32, 'c'},
    {"Label5", "L", "fraCalculator", "V", "Units of Voltage", 3960, 3000, 375, 255, 33, 'l'},
};

QString textOf(QWidget* w) {
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* t = qobject_cast<QLineEdit*>(w))
        return t->text();
    return {};
}

bool kindMatches(QWidget* w, const std::string& kind) {
    if (kind == "F")
        return qobject_cast<QGroupBox*>(w) != nullptr;
    if (kind == "B")
        return qobject_cast<ui::CaptionButton*>(w) != nullptr;
    if (kind == "O")
        return qobject_cast<QRadioButton*>(w) != nullptr;
    if (kind == "S")
        return qobject_cast<ui::VbScrollBar*>(w) != nullptr;
    if (kind == "L")
        return qobject_cast<QLabel*>(w) != nullptr;
    if (kind == "T" || kind == "Tl")
        return qobject_cast<QLineEdit*>(w) != nullptr;
    return kind == "I";
}

TEST(Inventory, EveryControlHasItsKindTextTipGeometryAlignmentAndLock) {
    SimulatedWindow f;
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        QWidget* w = f.get(row.name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(kindMatches(w, row.kind));
        EXPECT_EQ(textOf(w), QString::fromUtf8(row.text));
        EXPECT_EQ(w->toolTip(), QString::fromUtf8(row.tip));
        const QString container =
            *row.container ? QString::fromUtf8(row.container) : QStringLiteral("client");
        EXPECT_EQ(w->parentWidget()->objectName(), container);
        EXPECT_EQ(w->geometry(), QRect(qRound(row.left / 15.0), qRound(row.top / 15.0),
                                       qRound(row.width / 15.0), qRound(row.height / 15.0)));
        EXPECT_EQ(w->property("tabIndex").toInt(), row.tab);
        Qt::Alignment horizontal{};
        if (auto* l = qobject_cast<QLabel*>(w))
            horizontal = l->alignment() & Qt::AlignHorizontal_Mask;
        if (auto* t = qobject_cast<QLineEdit*>(w))
            horizontal = t->alignment() & Qt::AlignHorizontal_Mask;
        const Qt::Alignment expected = row.align == 'c'   ? Qt::AlignHCenter
                                       : row.align == 'r' ? Qt::AlignRight
                                       : row.align == 'l' ? Qt::AlignLeft
                                                          : Qt::Alignment{};
        EXPECT_EQ(horizontal, expected);
        if (auto* t = qobject_cast<QLineEdit*>(w)) {
            const bool locked = std::string(row.kind) == "Tl";
            EXPECT_EQ(t->isReadOnly(), locked);
            EXPECT_EQ(ui::backColor(t), locked ? ui::kVbButtonFace : ui::kVbWindowBackground);
        }
    }
}

TEST(Inventory, TabIndexesAreEachUsedOnceAndTabWalksTheFocusableControlsInOrder) {
    SimulatedWindow f;
    std::map<int, QWidget*> byTab;
    for (const Row& row : kRows) {
        if (row.tab >= 0) {
            EXPECT_TRUE(byTab.emplace(row.tab, f.get(row.name)).second) << row.tab;
        }
    }
    EXPECT_EQ(byTab.size(), 43u);
    EXPECT_EQ(byTab.begin()->first, 0);
    EXPECT_EQ(byTab.rbegin()->first, 42);

    std::vector<QWidget*> focusable;
    for (const auto& [tab, w] : byTab) {
        if (w->focusPolicy() & Qt::TabFocus)
            focusable.push_back(w);
    }
    ASSERT_FALSE(focusable.empty());
    // The first control that can take the focus is the HEX option (its frame has tab index 0).
    EXPECT_EQ(focusable.front()->objectName(), "opDisplayMode(0)");
    for (std::size_t i = 0; i + 1 < focusable.size(); ++i) {
        // Radio buttons in one frame form a single tab stop in Qt; skip the unselected DEC option.
        QWidget* next = focusable[i]->nextInFocusChain();
        while (next != focusable[i + 1] && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, focusable[i + 1]) << focusable[i]->objectName().toStdString();
    }
}

TEST(Inventory, ColoursOfTheGraphicalButtonsShowOnTheirFaces) {
    SimulatedWindow f(0x80, true);
    auto* write = f.get<ui::CaptionButton>("cmdWrite");
    auto* connect = f.get<ui::CaptionButton>("cmdConnect");
    EXPECT_TRUE(write->graphicalStyle());
    EXPECT_TRUE(connect->graphicalStyle());
    EXPECT_FALSE(f.get<ui::CaptionButton>("cmdRead")->graphicalStyle());
    EXPECT_EQ(write->faceColor(), QColor(255, 0, 0));
    EXPECT_EQ(connect->faceColor(), QColor(0x80, 0xFF, 0x80));
    write->setBackColor(ui::kVbButtonFace);
    EXPECT_EQ(write->faceColor(), write->palette().color(QPalette::Button));
    // The painted face really carries the colour (sampled in the middle, away from the caption).
    connect->setBackColor(0x8080FF);
    const QImage face = connect->grab().toImage();
    EXPECT_EQ(face.pixelColor(4, face.height() / 2), QColor(0xFF, 0x80, 0x80));
}

TEST(Inventory, TheScaleLinesAndThePointerAreWhereTheyBelong) {
    SimulatedWindow f;
    const auto lines = f.get("fraCalculator")->findChildren<ui::LineControl*>();
    ASSERT_EQ(lines.size(), 4);
    std::vector<std::array<int, 5>> found;
    for (const ui::LineControl* l : lines)
        found.push_back({l->x1(), l->y1(), l->x2(), l->y2(), l->borderWidth()});
    const std::vector<std::array<int, 5>> expected{{3240, 840, 3720, 840, 3},
                                                   {3480, 840, 3480, 2760, 3},
                                                   {3240, 2760, 3720, 2760, 3},
                                                   {3120, 840, 3480, 840, 5}};
    EXPECT_EQ(found, expected);
}

TEST(Inventory, TheScaleLiesBeneathTheVcomBoxAndLetsClicksThrough) {
    SimulatedWindow f;
    f.show();
    QWidget* frame = f.get("fraCalculator");
    auto* box = f.get<QLineEdit>("txtVOUT");
    const auto lines = frame->findChildren<ui::LineControl*>();
    // At DCP 00 the top tick runs into the box's left edge; the strip left of the box shows it.
    ASSERT_EQ(box->y(), 48);
    const ui::LineControl* topTick = lines.front();
    ASSERT_TRUE(topTick->geometry().intersects(box->geometry()));
    const int tickRow = topTick->geometry().center().y() - box->y();
    const QRect strip = box->geometry().adjusted(-12, 0, 0, 0);
    const QImage withLines = frame->grab(strip).toImage();
    for (ui::LineControl* line : lines)
        line->hide();
    const QImage withoutLines = frame->grab(strip).toImage();
    for (ui::LineControl* line : lines)
        line->show();
    const QRect left(0, 0, 12, strip.height());
    const QRect onBox(12, 0, box->width(), strip.height());
    EXPECT_FALSE(withLines.copy(left) == withoutLines.copy(left)) << "the tick is not drawn at all";
    EXPECT_TRUE(withLines.copy(onBox) == withoutLines.copy(onBox)) << "a line is drawn over the box";

    // A click on the box's left edge, just where the tick meets it, goes to the box.
    ASSERT_FALSE(box->hasFocus());
    QTest::mouseClick(f.window->windowHandle(), Qt::LeftButton, {},
                      box->mapTo(f.window.get(), QPoint(1, tickRow)));
    EXPECT_TRUE(box->hasFocus());
}

TEST(Inventory, EveryCaptionFitsItsControl) {
    SimulatedWindow f;
    for (const Row& row : kRows) {
        QWidget* w = f.get(row.name);
        const QString text = textOf(w).remove('&');
        if (text.isEmpty() || qobject_cast<QLineEdit*>(w) || qobject_cast<QGroupBox*>(w))
            continue;
        SCOPED_TRACE(row.name);
        const QFontMetrics metrics(w->font());
        int available = w->width();
        if (qobject_cast<QRadioButton*>(w))
            available -= 20;  // the indicator
        if (qobject_cast<QPushButton*>(w))
            available -= 6;
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, available, 1000), Qt::TextWordWrap | Qt::AlignCenter, text);
        EXPECT_LE(needed.width(), available);
        EXPECT_LE(needed.height(), w->height());
    }
}

}  // namespace
}  // namespace vcm::test
