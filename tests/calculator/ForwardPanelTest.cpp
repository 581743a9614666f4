#include "PanelFixture.h"

#include <gmock/gmock.h>

namespace vcm::test {
namespace {

using vcm::test::PrintTo;

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

struct WorkedRow {
    bool hex;
    const char* dcpText;
    const char* caption;
    const char* iout;
    const char* vrset;
    const char* vcom;
    int top;
    int lineY;
};

void PrintTo(const WorkedRow& row, std::ostream* os) {
    *os << (row.hex ? "hex " : "dec ") << row.dcpText;
}

class CalcPanelWorkedExample : public CalcPanelTest, public ::testing::WithParamInterface<WorkedRow> {};

TEST_P(CalcPanelWorkedExample, ShowsTheRowAndMovesTheMarker) {
    const WorkedRow& row = GetParam();
    globals.displayHex = row.hex ? vbTrue : vbFalse;
    c.txtTest->setText(QString::fromUtf8(row.dcpText));

    panel->updateRangeFromResistors();

    EXPECT_THAT(boxTexts(), IsEmpty());
    EXPECT_EQ(c.txtIOUT->text(), row.iout);
    EXPECT_EQ(c.txtVRSET->text(), row.vrset);
    EXPECT_EQ(c.txtVOUT->text(), row.vcom);
    EXPECT_EQ(c.txtDVR->text(), row.dcpText);
    EXPECT_EQ(c.txtVoutMax->text(), "4.9179");
    EXPECT_EQ(c.txtVOutMin->text(), "2.8817");
    EXPECT_EQ(c.lblDVR2->text(), row.caption);
    EXPECT_EQ(twipsTop(c.txtVOUT), row.top);
    EXPECT_EQ(twipsTop(c.lblVCOM), row.top);
    EXPECT_EQ(c.Line4->y1(), row.lineY);
    EXPECT_EQ(c.Line4->y2(), row.lineY);
    EXPECT_EQ(c.txtR1->text(), "83000");  // the forward run leaves its inputs alone
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalcPanelWorkedExample,
    ::testing::Values(WorkedRow{true, "00", "DCP (hex)", "0.00016", "0.0016", "4.9179", 720, 840},
                      WorkedRow{true, "80", "DCP (hex)", "0.02016", "0.2016", "3.8958", 1684, 1804},
                      WorkedRow{true, "FF", "DCP (hex)", "0.04000", "0.4000", "2.8817", 2640, 2760},
                      WorkedRow{false, "0", "DCP (dec)", "0.00016", "0.0016", "4.9179", 720, 840},
                      WorkedRow{false, "128", "DCP (dec)", "0.02016", "0.2016", "3.8958", 1684, 1804},
                      WorkedRow{false, "255", "DCP (dec)", "0.04000", "0.4000", "2.8817", 2640, 2760}));

struct Repair {
    QLineEdit* CalculatorControls::*field;
    const char* typed;
    const char* repaired;
};

void PrintTo(const Repair& row, std::ostream* os) {
    *os << '"' << row.typed << "\" -> " << row.repaired;
}

class CalcPanelForwardRepair : public CalcPanelTest, public ::testing::WithParamInterface<Repair> {};

TEST_P(CalcPanelForwardRepair, RestoresTheDefaultSilently) {
    const Repair& r = GetParam();
    (c.*r.field)->setText(QString::fromUtf8(r.typed));

    panel->updateRangeFromResistors();

    EXPECT_THAT(boxTexts(), IsEmpty());
    EXPECT_EQ((c.*r.field)->text(), r.repaired);
    EXPECT_EQ(c.txtVOUT->text(), "4.9179");  // computed from the default
}

INSTANTIATE_TEST_SUITE_P(Fields, CalcPanelForwardRepair,
                         ::testing::Values(Repair{&CalculatorControls::txtAVDD, "", "8"},
                                           Repair{&CalculatorControls::txtAVDD, "abc", "8"},
                                           Repair{&CalculatorControls::txtRSET, "", "10000"},
                                           Repair{&CalculatorControls::txtR1, "1x", "83000"},
                                           Repair{&CalculatorControls::txtR2, "", "133000"}));

struct ForwardChecksCase {
    const char* name;
    const char *avdd, *rset, *r1, *r2;
    // Each message with AVDD|RSET as they stood while it was open: resets come after the box.
    std::vector<std::pair<const char*, const char*>> boxes;
    const char *avddAfter, *rsetAfter, *vcom, *voutMax, *voutMin;
};

class CalcPanelForwardChecks : public CalcPanelTest,
                               public ::testing::WithParamInterface<ForwardChecksCase> {};

TEST_P(CalcPanelForwardChecks, ShowMessagesInOrderThenCalculate) {
    const ForwardChecksCase& t = GetParam();
    c.txtAVDD->setText(t.avdd);
    c.txtRSET->setText(t.rset);
    c.txtR1->setText(t.r1);
    c.txtR2->setText(t.r2);
    boxes.snapshot = [this] { return c.txtAVDD->text() + "|" + c.txtRSET->text(); };

    panel->updateRangeFromResistors();

    ASSERT_EQ(boxes.boxes.size(), t.boxes.size());
    for (std::size_t i = 0; i < t.boxes.size(); ++i) {
        EXPECT_EQ(boxes.boxes[i].text, t.boxes[i].first);
        EXPECT_EQ(boxes.boxes[i].fieldsWhileOpen, t.boxes[i].second);
        EXPECT_EQ(boxes.boxes[i].style, styleOkOnly);
        EXPECT_EQ(boxes.boxes[i].title, QString());
    }
    EXPECT_EQ(c.txtAVDD->text(), t.avddAfter);
    EXPECT_EQ(c.txtRSET->text(), t.rsetAfter);
    EXPECT_EQ(c.txtVOUT->text(), t.vcom);
    EXPECT_EQ(c.txtVoutMax->text(), t.voutMax);
    EXPECT_EQ(c.txtVOutMin->text(), t.voutMin);
}

const char* const avddMsg = "AVDD needs to be non-zero";
const char* const rsetMsg = "Rset needs to be greater than 0";

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcPanelForwardChecks,
    ::testing::Values(
        ForwardChecksCase{"AvddZero",
                          "0",
                          "10000",
                          "83000",
                          "133000",
                          {{avddMsg, "0|10000"}},
                          "8",
                          "10000",
                          "4.9179",
                          "4.9179",
                          "2.8817"},
        ForwardChecksCase{"AvddNegative",
                          "-5",
                          "10000",
                          "83000",
                          "133000",
                          {{avddMsg, "-5|10000"}},
                          "8",
                          "10000",
                          "4.9179",
                          "4.9179",
                          "2.8817"},
        ForwardChecksCase{"RsetZero",
                          "8",
                          "0",
                          "83000",
                          "133000",
                          {{rsetMsg, "8|0"}},
                          "8",
                          "10000",
                          "4.9179",
                          "4.9179",
                          "2.8817"},
        ForwardChecksCase{"BothZeroAvddFirst",
                          "0",
                          "0",
                          "83000",
                          "133000",
                          {{avddMsg, "0|0"}, {rsetMsg, "8|0"}},
                          "8",
                          "10000",
                          "4.9179",
                          "4.9179",
                          "2.8817"},
        ForwardChecksCase{"NegativeSumIsShown",
                          "8",
                          "10000",
                          "-100000",
                          "50000",
                          {{"R1+R2 is less than 0?", "8|10000"}},
                          "8",
                          "10000",
                          "-8.0156",
                          "-8.0156",
                          "-12.0000"},
        // VOUTmin comes out just below zero and keeps its minus.
        ForwardChecksCase{"NegativeNearZeroKeepsItsSign",
                          "8",
                          "10000",
                          "200000.01",
                          "133000",
                          {},
                          "8",
                          "10000",
                          "3.1827",
                          "3.1827",
                          "-0.0000"},
        ForwardChecksCase{
            "ZeroTopResistor", "8", "10000", "0", "133000", {}, "8", "10000", "8.0000", "8.0000", "8.0000"}),
    vcm::test::CaseName());

}  // namespace
}  // namespace vcm::test
