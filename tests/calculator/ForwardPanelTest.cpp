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
    DcpResult result;
};

void PrintTo(const WorkedRow& row, std::ostream* os) {
    *os << (row.hex ? "hex " : "dec ") << row.dcpText;
}

class CalcPanelWorkedExample : public CalcPanelTest, public ::testing::WithParamInterface<WorkedRow> {};

TEST_P(CalcPanelWorkedExample, ShowsTheRowAndMovesTheMarker) {
    const WorkedRow& row = GetParam();
    globals.displayHex = row.hex ? dcp::kVbTrue : dcp::kVbFalse;
    c.txtTest->setText(QString::fromUtf8(row.dcpText));

    panel->updateRangeFromResistors();

    EXPECT_THAT(boxTexts(), IsEmpty());
    expectDcpResult(row.result);
    EXPECT_EQ(c.txtDVR->text(), row.dcpText);
    EXPECT_EQ(c.txtVoutMax->text(), "4.9179");
    EXPECT_EQ(c.txtVOutMin->text(), "2.8817");
    EXPECT_EQ(c.lblDVR2->text(), row.caption);
    EXPECT_EQ(c.txtR1->text(), "83000");  // the forward run leaves its inputs alone
}

INSTANTIATE_TEST_SUITE_P(Rows, CalcPanelWorkedExample,
                         ::testing::Values(WorkedRow{true, "00", "DCP (hex)", kDcp00},
                                           WorkedRow{true, "80", "DCP (hex)", kDcp80},
                                           WorkedRow{true, "FF", "DCP (hex)", kDcpFF},
                                           WorkedRow{false, "0", "DCP (dec)", kDcp00},
                                           WorkedRow{false, "128", "DCP (dec)", kDcp80},
                                           WorkedRow{false, "255", "DCP (dec)", kDcpFF}));

struct Repair {
    QLineEdit* calc::CalculatorControls::*field;
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
                         ::testing::Values(Repair{&calc::CalculatorControls::txtAVDD, "", "8"},
                                           Repair{&calc::CalculatorControls::txtAVDD, "abc", "8"},
                                           Repair{&calc::CalculatorControls::txtRSET, "", "10000"},
                                           Repair{&calc::CalculatorControls::txtR1, "1x", "83000"},
                                           Repair{&calc::CalculatorControls::txtR2, "", "133000"}));

/// What a forward run leaves in AVDD, RSET, VOUT (VCOM), VOUTmax and VOUTmin.
struct ForwardResult {
    const char *avdd, *rset, *vcom, *voutMax, *voutMin;
};

/// The supply and RSET as the design has them, with VCOM at the top of the range, where DCP 00 puts it.
constexpr ForwardResult range(const char* voutMax, const char* voutMin) {
    return {"8", "10000", voutMax, voutMax, voutMin};
}

/// The design resistors' range, with the supply and RSET put back to the design values.
constexpr ForwardResult kDesignRange = range("4.9179", "2.8817");

struct ForwardChecksCase {
    const char* name;
    const char* typed;  // AVDD|RSET|R1|R2
    // Each message with AVDD|RSET as they stood while it was open: resets come after the box.
    ExpectedBoxes boxes;
    ForwardResult result;
};

class CalcPanelForwardChecks : public CalcPanelTest,
                               public ::testing::WithParamInterface<ForwardChecksCase> {};

TEST_P(CalcPanelForwardChecks, ShowMessagesInOrderThenCalculate) {
    const ForwardChecksCase& t = GetParam();
    ASSERT_NO_FATAL_FAILURE(typeInto({c.txtAVDD, c.txtRSET, c.txtR1, c.txtR2}, t.typed));
    watchWhileOpen({c.txtAVDD, c.txtRSET});

    panel->updateRangeFromResistors();

    ASSERT_NO_FATAL_FAILURE(expectMessages(t.boxes));
    EXPECT_EQ(c.txtAVDD->text(), t.result.avdd);
    EXPECT_EQ(c.txtRSET->text(), t.result.rset);
    EXPECT_EQ(c.txtVOUT->text(), t.result.vcom);
    EXPECT_EQ(c.txtVoutMax->text(), t.result.voutMax);
    EXPECT_EQ(c.txtVOutMin->text(), t.result.voutMin);
}

const char* const avddMsg = "AVDD needs to be non-zero";
const char* const rsetMsg = "Rset needs to be greater than 0";
const char* const sumMsg = "R1+R2 is less than 0?";

const ForwardChecksCase kForwardChecks[] = {
    {"AvddZero", "0|10000|83000|133000", {{avddMsg, "0|10000"}}, kDesignRange},
    {"AvddNegative", "-5|10000|83000|133000", {{avddMsg, "-5|10000"}}, kDesignRange},
    {"RsetZero", "8|0|83000|133000", {{rsetMsg, "8|0"}}, kDesignRange},
    {"BothZeroAvddFirst", "0|0|83000|133000", {{avddMsg, "0|0"}, {rsetMsg, "8|0"}}, kDesignRange},
    {"NegativeSumIsShown", "8|10000|-100000|50000", {{sumMsg, "8|10000"}}, range("-8.0156", "-12.0000")},
    // VOUTmin comes out just below zero and keeps its minus.
    {"NegativeNearZeroKeepsItsSign", "8|10000|200000.01|133000", {}, range("3.1827", "-0.0000")},
    {"ZeroTopResistor", "8|10000|0|133000", {}, range("8.0000", "8.0000")},
};

INSTANTIATE_TEST_SUITE_P(Cases, CalcPanelForwardChecks, ::testing::ValuesIn(kForwardChecks),
                         vcm::test::CaseName());

}  // namespace
}  // namespace vcm::test
