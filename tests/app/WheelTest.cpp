#include "SimulatedWindow.h"
#include "ui/VbScrollBar.h"
#include "ui/WheelDistance.h"

#include <QApplication>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

/// Sends a real wheel event to a control, as the window system delivers it to the control under the
/// pointer.
bool roll(QWidget* over, int delta, Qt::KeyboardModifiers modifiers = {}, bool sideways = false) {
    const QPointF local(over->width() / 2.0, over->height() / 2.0);
    const QPoint angle = sideways ? QPoint(delta, 0) : QPoint(0, delta);
    QWheelEvent event(local, over->mapToGlobal(local), QPoint(), angle, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    event.setAccepted(false);
    QApplication::sendEvent(over, &event);
    return event.isAccepted();
}

TEST(WheelDistance, IsTheSignedHighWordWhateverTheKeyFlags) {
    struct Case {
        std::int32_t wParam;
        std::int32_t distance;
    };
    const Case cases[] = {
        {120 << 16, 120},
        {static_cast<std::int32_t>(0xFF880000u), -120},  // -120 in the high word
        {0, 0},
        {(120 << 16) | 0x0008, 120},  // Ctrl held
        {(120 << 16) | 0x0004, 120},  // Shift held
        {static_cast<std::int32_t>(0xFF880000u) | 0x7FFF, -120},
        {240 << 16, 240},
        {static_cast<std::int32_t>(0x80000000u), -32768},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::wheelDistanceFromWParam(c.wParam), c.distance) << c.wParam;
    }
}

class Wheel : public ::testing::Test {
  protected:
    void SetUp() override {
        f.show();
        f.get<QLineEdit>("txtTest(0)")->setFocus();
        f.get<QLineEdit>("txtTest(0)")->setText("80");
        f.forget();
    }
    SimulatedWindow f;
};

TEST_F(Wheel, EachEventIsOneStepWhereverThePointerIs) {
    struct Case {
        const char* over;
        int delta;
        Qt::KeyboardModifiers modifiers;
        const char* result;
        int sends;
    };
    const Case cases[] = {
        {"txtTest(0)", 120, {}, "7F", 1},                // away from the user: Down
        {"txtTest(0)", -120, {}, "80", 1},               // towards the user: Up
        {"txtTest(0)", 240, {}, "7F", 1},                // one event, one step
        {"txtTest(0)", 0, {}, "7F", 0},                  // nothing
        {"vscTest(0)", -120, {}, "80", 1},               // over the slider it still steps the box
        {"txtR1", 120, {}, "7F", 1},                     // over the calculator too
        {"Image1", -120, Qt::ControlModifier, "80", 1},  // modifiers ignored
        {"fraDisplay", 120, Qt::ShiftModifier, "7F", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.over) + " " + std::to_string(c.delta));
        f.forget();
        const QString r1Before = f.text("txtR1");
        roll(f.get(c.over), c.delta, c.modifiers);
        EXPECT_EQ(f.text("txtTest(0)"), c.result);
        EXPECT_EQ(f.busCalls().size(), 2 * c.sends);
        EXPECT_EQ(f.pauses.pauses, std::vector<int>(static_cast<std::size_t>(c.sends), 50));
        EXPECT_EQ(f.get<ui::VbScrollBar>("vscTest(0)")->value(), f.text("txtTest(0)").toInt(nullptr, 16));
        EXPECT_EQ(f.text("txtR1"), r1Before);
    }
}

TEST_F(Wheel, ASidewaysTiltIsNotAStepButAnAltTurnIs) {
    roll(f.get("txtTest(0)"), 120, {}, true);
    EXPECT_EQ(f.text("txtTest(0)"), "80");
    EXPECT_TRUE(f.calls.isEmpty());
    // Qt reports a vertical turn with Alt held as a sideways one; the modifier must not change the step.
    roll(f.get("txtTest(0)"), 120, Qt::AltModifier, true);
    EXPECT_EQ(f.text("txtTest(0)"), "7F");
}

TEST_F(Wheel, AStepClearsTheSliderSendFlagAndHidesTheReminder) {
    f.get("LabelEnterReminder")->show();
    roll(f.get("Image1"), 120);
    EXPECT_EQ(f.window->globals().sendOnSliderChange, dcp::kVbFalse);
    EXPECT_TRUE(f.get("LabelEnterReminder")->isHidden());
}

TEST_F(Wheel, AfterUnloadNoCaptureIsLeft) {
    QWidget* box = f.get("txtTest(0)");
    f.window->close();
    EXPECT_FALSE(f.window->wheelCaptureInstalled());
    f.window->show();
    roll(box, 120);
    EXPECT_EQ(f.text("txtTest(0)"), "80");
    EXPECT_TRUE(f.calls.isEmpty());
}

}  // namespace
}  // namespace vcm::test
