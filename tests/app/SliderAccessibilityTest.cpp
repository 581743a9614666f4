#include "SimulatedWindow.h"
#include "ui/VbScrollBar.h"

#include <QAccessible>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

// A screen reader must hear the DCP value the box shows, 0 at the bottom to 255 at the top, whatever
// position Qt keeps inside the inverted bar, and however the value got there.
TEST(SliderAccessibility, ReportsTheDcpValueInBothModesAndAfterEveryKindOfStep) {
    struct Case {
        bool hex;
        const char* text;   ///< put into the box
        int value;          ///< what the slider then reports
        Qt::Key key;        ///< a step in the box ...
        int afterKey;       ///< ... and the value it reports after it
        const char* shown;  ///< the box after a screen reader sets 0x42 (after an arrow click)
    };
    const Case cases[] = {
        {true, "00", 0x00, Qt::Key_Up, 0x01, "42"},       {true, "7D", 0x7D, Qt::Key_Down, 0x7C, "42"},
        {true, "80", 0x80, Qt::Key_PageUp, 0x90, "42"},   {true, "FF", 0xFF, Qt::Key_Down, 0xFE, "42"},
        {false, "0", 0, Qt::Key_PageDown, 0, "66"},       {false, "125", 125, Qt::Key_Up, 126, "66"},
        {false, "128", 128, Qt::Key_PageDown, 112, "66"}, {false, "255", 255, Qt::Key_Up, 255, "66"},
    };
    SimulatedWindow f;
    f.show();
    auto* box = f.get<QLineEdit>("txtTest(0)");
    auto* slider = f.get<ui::VbScrollBar>("vscTest(0)");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(slider);
    ASSERT_NE(accessible, nullptr);
    QAccessibleValueInterface* value = accessible->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::ScrollBar);
    EXPECT_EQ(accessible->text(QAccessible::Name), "DCP Value");

    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QTest::mouseClick(f.get(c.hex ? "opDisplayMode(0)" : "opDisplayMode(1)"), Qt::LeftButton, {},
                          QPoint(5, 8));
        box->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(value->currentValue().toInt(), c.value);
        EXPECT_EQ(accessible->text(QAccessible::Value), QString::number(c.value));
        EXPECT_EQ(value->minimumValue().toInt(), 0);
        EXPECT_EQ(value->maximumValue().toInt(), 255);
        EXPECT_EQ(value->minimumStepSize().toInt(), 1);

        QTest::keyClick(box, c.key);
        EXPECT_EQ(value->currentValue().toInt(), c.afterKey);
        // The slider's top arrow raises the value by one.
        const int beforeArrow = value->currentValue().toInt();
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, 3));
        EXPECT_EQ(value->currentValue().toInt(), std::min(beforeArrow + 1, 255));
        EXPECT_EQ(value->currentValue().toInt(), slider->value());

        value->setCurrentValue(0x42);
        EXPECT_EQ(box->text(), c.shown);
        EXPECT_EQ(slider->value(), 0x42);
    }
}

}  // namespace
}  // namespace vcm::test
