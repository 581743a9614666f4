#include "SimulatedWindow.h"
#include "dcp/LocaleNumber.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

const QString kAvddQuestion = "AVDD Changed - Update Range from Resistor Values?";
const QString kRsetQuestion = "Rset Changed - Update Range from Resistor Values?";
const QString kQuestionText =
    "Yes, Update Output Voltage Range from Resistor Values.\r\nNo, Update Resistor Values from Voltage Range "
    "instead.";

class CalculatorFocus : public ::testing::Test {
  protected:
    void SetUp() override { f.show(); }
    QLineEdit* field(const char* name) const { return f.get<QLineEdit>(name); }
    void focus(const char* name) {
        field(name)->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(field(name)->hasFocus());
    }
    void tab() { f.key(Qt::Key_Tab); }
    void clickCalculate() { f.click("cmdCalculate"); }
    std::vector<QString> titles() const {
        std::vector<QString> t;
        for (const ShownBox& b : f.messages.shown)
            t.push_back(b.title);
        return t;
    }
    SimulatedWindow f;
};

TEST_F(CalculatorFocus, TabFromAvddThroughRsetAsksTwiceInOrder) {
    focus("txtAVDD");
    f.forget();
    tab();
    EXPECT_TRUE(field("txtRSET")->hasFocus());
    tab();
    EXPECT_TRUE(field("txtR1")->hasFocus());
    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(titles(), (std::vector<QString>{kAvddQuestion, kRsetQuestion}));
    for (const ShownBox& box : f.messages.shown) {
        EXPECT_EQ(box.text, kQuestionText);
        EXPECT_EQ(box.style, 292);
    }
}

TEST_F(CalculatorFocus, YesRecomputesTheRangeAndNoTheResistors) {
    // Yes after a change of AVDD: the range follows the resistors.
    focus("txtAVDD");
    field("txtAVDD")->setText("10");
    f.messages.answers = {ui::kAnswerYes};
    focus("txtR2");
    EXPECT_EQ(f.text("txtR1"), "83000");
    EXPECT_EQ(f.text("txtVoutMax"), "6.1474");
    // No after a change of RSET: the resistors follow the range (and nothing asks again).
    focus("txtRSET");
    f.messages.answers = {ui::kAnswerNo};
    f.forget();
    focus("txtR2");
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].title, kRsetQuestion);
    EXPECT_EQ(f.text("txtVoutMax"), "6.1474");
    EXPECT_NE(f.text("txtR1"), "83000");
    EXPECT_TRUE(f.text("txtR1").endsWith(".0") || f.text("txtR1").contains('.'));
}

TEST_F(CalculatorFocus, TypingARangeThenCalculateRunsReverseThenForward) {
    focus("txtVoutMax");
    field("txtVoutMax")->setText("5");
    clickCalculate();
    // Reverse on leaving the field wrote new resistors; forward on the click wrote the range back from
    // them, four decimals.
    EXPECT_NE(f.text("txtR1"), "83000");
    EXPECT_EQ(f.text("txtVoutMax"), "5.0000");
    EXPECT_EQ(f.text("txtVOutMin"), "2.8817");
}

TEST_F(CalculatorFocus, LeavingR1ByCalculateRunsForwardTwice) {
    field("txtR1")->setText("-100000");
    field("txtR2")->setText("50000");
    focus("txtR1");
    f.forget();
    clickCalculate();
    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.messages.shown[0].text, "R1+R2 is less than 0?");
    EXPECT_EQ(f.messages.shown[1].text, "R1+R2 is less than 0?");
}

TEST_F(CalculatorFocus, LeavingAFieldForTheDcpBoxStillRunsItsHandler) {
    focus("txtVOutMin");
    field("txtVOutMin")->setText("");
    f.click("txtTest(0)");
    EXPECT_EQ(f.text("txtVOutMin"), "0");  // repaired by the reverse calculation
}

TEST_F(CalculatorFocus, SwitchingToAnotherWindowIsNotLeavingTheField) {
    focus("txtR1");
    field("txtR1")->setText("-100000");
    field("txtR2")->setText("50000");
    f.forget();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    f.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_TRUE(field("txtR1")->hasFocus());
}

TEST_F(CalculatorFocus, TheMenuBarTakingTheFocusIsNotLeavingAField) {
    focus("txtAVDD");
    f.forget();
    f.window->menuBar()->setFocus(Qt::ShortcutFocusReason);
    field("txtAVDD")->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST_F(CalculatorFocus, EnterPressesTheFocusedCalculateButton) {
    field("txtR1")->setText("-100000");
    field("txtR2")->setText("50000");
    f.get("cmdCalculate")->setFocus();
    f.forget();
    f.key(Qt::Key_Return);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "R1+R2 is less than 0?");
}

TEST_F(CalculatorFocus, OutputFieldsHaveNoHandlers) {
    focus("txtIOUT");
    f.forget();
    const QString before = f.text("txtVoutMax");
    tab();
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_EQ(f.text("txtVoutMax"), before);
}

/// Real message boxes: each one that opens is recorded and answered with Enter (its default button) by a
/// timer that runs inside the box's own event loop.
TEST(CalculatorRealBoxes, TabFromAvddToRsetAsksOnceAndTheBoxDoesNotLeaveRset) {
    SimulatedWindow f(0x80, true, {.realBoxes = true});
    f.show();
    QStringList titles;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            titles << box->windowTitle();
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    answerer.start(0);
    f.get<QLineEdit>("txtAVDD")->setFocus();
    ASSERT_TRUE(f.get<QLineEdit>("txtAVDD")->hasFocus());
    titles.clear();
    f.key(Qt::Key_Tab);
    // Tab returns only after the question was answered and its calculation ran.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(titles, QStringList{kAvddQuestion});
    // Enter answered No: the reverse calculation rewrote the resistors from the start-up range.
    EXPECT_EQ(f.text("txtR1"), "82997.7");
    // The box came and went without the focus leaving RSET for good: RSET is still the window's focus
    // control, and no question of its own was asked.
    EXPECT_EQ(f.window->focusWidget(), f.get("txtRSET"));
    f.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    EXPECT_EQ(titles, QStringList{kAvddQuestion});
}

// A supply at the largest double makes both ends of the range that large. Whatever the calculator writes
// it must read back: leaving VOUTmax then reads the value shown, not a repaired 0.
TEST_F(CalculatorFocus, ResultsNearTheLargestDoubleReadBack) {
    field("txtAVDD")->setText("1.7976931348623157e308");
    field("txtR1")->setText("0");
    field("txtR2")->setText("1");
    clickCalculate();
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const char* name : {"txtVoutMax", "txtVOutMin", "txtVOUT"}) {
        SCOPED_TRACE(name);
        const std::optional<double> shown = dcp::localeNumber(f.text(name), english);
        ASSERT_TRUE(shown.has_value());
        EXPECT_DOUBLE_EQ(*shown, 1.79769313486231e308);
    }
    focus("txtVoutMax");
    f.forget();
    focus("txtR1");
    const std::optional<double> after = dcp::localeNumber(f.text("txtVoutMax"), english);
    ASSERT_TRUE(after.has_value());
    EXPECT_GT(*after, 1e308);
}

}  // namespace
}  // namespace vcm::test
