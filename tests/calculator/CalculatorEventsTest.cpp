#include "PanelFixture.h"

#include "ui/FocusLeaveWatcher.h"

#include <QTest>
#include <QVBoxLayout>

#include <gmock/gmock.h>

namespace vcm::test {
namespace {

using vcm::test::PrintTo;

using ::testing::IsEmpty;

// With the range 5..1 in the fields, a forward run rewrites the range and a reverse run the resistors.
class CalcPanelEvents : public CalcPanelTest {
  protected:
    CalcPanelEvents() {
        c.txtVoutMax->setText("5");
        c.txtVOutMin->setText("1");
    }

    bool forwardRan() const { return c.txtVoutMax->text() == "4.9179" && c.txtR1->text() == "83000"; }
    bool reverseRan() const { return c.txtR1->text() == "160125.1" && c.txtVoutMax->text() == "5"; }
};

struct HandlerCase {
    const char* name;
    void (calc::CalculatorPanel::*handler)();
    bool forward;
};

class CalcPanelHandler : public CalcPanelEvents, public ::testing::WithParamInterface<HandlerCase> {};

TEST_P(CalcPanelHandler, RunsItsCalculation) {
    (panel.get()->*GetParam().handler)();

    EXPECT_THAT(boxTexts(), IsEmpty());
    EXPECT_TRUE(GetParam().forward ? forwardRan() : reverseRan());
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, CalcPanelHandler,
    ::testing::Values(HandlerCase{"Calculate", &calc::CalculatorPanel::cmdCalculate_Click, true},
                      HandlerCase{"R1", &calc::CalculatorPanel::txtR1_LostFocus, true},
                      HandlerCase{"R2", &calc::CalculatorPanel::txtR2_LostFocus, true},
                      HandlerCase{"VoutMax", &calc::CalculatorPanel::txtVoutMax_LostFocus, false},
                      HandlerCase{"VOutMin", &calc::CalculatorPanel::txtVOutMin_LostFocus, false}),
    vcm::test::CaseName());

struct QuestionCase {
    const char* name;
    void (calc::CalculatorPanel::*handler)();
    const char* title;
    int answer;
    bool forward;
};

class CalcPanelQuestion : public CalcPanelEvents, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(CalcPanelQuestion, AsksThenRunsTheChosenCalculation) {
    const QuestionCase& t = GetParam();
    boxes.answers.push_back(t.answer);

    (panel.get()->*t.handler)();

    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].text,
              "Yes, Update Output Voltage Range from Resistor Values.\r\n"
              "No, Update Resistor Values from Voltage Range instead.");
    EXPECT_EQ(boxes.shown[0].style, 292);
    EXPECT_EQ(boxes.shown[0].title, t.title);
    EXPECT_TRUE(t.forward ? forwardRan() : reverseRan());
}

const char* const rsetTitle = "Rset Changed - Update Range from Resistor Values?";
const char* const avddTitle = "AVDD Changed - Update Range from Resistor Values?";

INSTANTIATE_TEST_SUITE_P(
    Answers, CalcPanelQuestion,
    ::testing::Values(
        QuestionCase{"RsetYes", &calc::CalculatorPanel::txtRSET_LostFocus, rsetTitle, ui::kAnswerYes, true},
        QuestionCase{"RsetNo", &calc::CalculatorPanel::txtRSET_LostFocus, rsetTitle, ui::kAnswerNo, false},
        QuestionCase{"AvddYes", &calc::CalculatorPanel::txtAVDD_LostFocus, avddTitle, ui::kAnswerYes, true},
        QuestionCase{"AvddNo", &calc::CalculatorPanel::txtAVDD_LostFocus, avddTitle, ui::kAnswerNo, false},
        QuestionCase{"AvddOtherAnswer", &calc::CalculatorPanel::txtAVDD_LostFocus, avddTitle, ui::kAnswerOk,
                     false}),
    vcm::test::CaseName());

TEST_F(CalcPanelTest, QuestionComesBeforeTheMessagesOfTheCalculation) {
    c.txtAVDD->setText("0");
    boxes.answers = {ui::kAnswerYes};

    panel->txtAVDD_LostFocus();

    ASSERT_EQ(boxes.shown.size(), 2U);
    EXPECT_EQ(boxes.shown[0].style, ui::kStyleYesNoQuestionDefaultNo);
    EXPECT_EQ(boxes.shown[1].text, "AVDD needs to be non-zero");
}

TEST_F(CalcPanelTest, GermanLocaleReadsAndWritesDecimalCommas) {
    const auto german = makePanel(QLocale(QLocale::German, QLocale::Germany));

    german->updateRangeFromResistors();
    EXPECT_EQ(c.txtIOUT->text(), "0,00016");
    EXPECT_EQ(c.txtVoutMax->text(), "4,9179");
    EXPECT_EQ(c.txtVOutMin->text(), "2,8817");

    german->updateResistorsFromRange();  // reads the range it has just written
    EXPECT_EQ(c.txtR1->text(), "82997,7");
    EXPECT_EQ(c.txtR2->text(), "132993,4");

    c.txtAVDD->setText("12,5");
    c.txtVoutMax->setText("");
    german->updateResistorsFromRange();
    EXPECT_EQ(c.txtVoutMax->text(), "12,5");
    EXPECT_THAT(boxTexts(), IsEmpty());
}

// attach(): moving the focus between two fields runs the left field's handler; the button's click runs
// the forward calculation.
TEST_F(CalcPanelEvents, AttachWiresFieldsAndButton) {
    auto* layout = new QVBoxLayout(&frame);
    for (QWidget* w :
         {static_cast<QWidget*>(c.txtAVDD), static_cast<QWidget*>(c.txtRSET), static_cast<QWidget*>(c.txtR1),
          static_cast<QWidget*>(c.txtVoutMax), static_cast<QWidget*>(c.cmdCalculate)}) {
        layout->addWidget(w);
    }
    ui::FocusLeaveWatcher watcher;
    panel->attach(watcher);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

    c.txtVoutMax->setFocus();  // may leave whichever field took the focus on showing
    boxes.shown.clear();
    c.txtR1->setText("83000");
    c.txtVoutMax->setText("5");
    c.txtVOutMin->setText("1");

    c.txtR1->setFocus();  // leaving VOUTmax: reverse
    EXPECT_TRUE(reverseRan());
    EXPECT_THAT(boxTexts(), IsEmpty());

    c.txtRSET->setFocus();  // leaving R1: forward, from the resistors just worked out for 5..1
    EXPECT_EQ(c.txtVoutMax->text(), "5.0000");
    EXPECT_EQ(c.txtVOutMin->text(), "1.0000");

    boxes.answers = {ui::kAnswerYes};
    c.txtAVDD->setFocus();  // leaving RSET: the question
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].title, "Rset Changed - Update Range from Resistor Values?");

    c.txtVoutMax->setText("17");
    c.cmdCalculate->click();
    EXPECT_EQ(c.txtVoutMax->text(), "5.0000");
}

}  // namespace
}  // namespace vcm::test
