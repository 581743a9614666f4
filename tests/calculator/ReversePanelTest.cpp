#include "PanelFixture.h"

#include "ui/VbColor.h"

#include <gmock/gmock.h>

namespace vcm::test {
namespace {

using vcm::test::PrintTo;

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr VbColor red = 0x000000FF;
constexpr VbColor normal = vbButtonText;

struct ReverseCase {
    const char* name;
    const char *avdd, *rset, *voutMax, *voutMin;
    // Each message with AVDD|VOUTmax|VOUTmin|RSET as they stood while it was open.
    std::vector<std::pair<const char*, const char*>> boxes;
    const char *avddAfter, *rsetAfter, *voutMaxAfter, *voutMinAfter;
    const char *r1, *r2, *vcom;
    VbColor r1Colour, r2Colour, avddColour;
};

class CalcPanelReverse : public CalcPanelTest, public ::testing::WithParamInterface<ReverseCase> {};

TEST_P(CalcPanelReverse, ChecksThenWritesResistorsAndColours) {
    const ReverseCase& t = GetParam();
    c.txtAVDD->setText(t.avdd);
    c.txtRSET->setText(t.rset);
    c.txtVoutMax->setText(t.voutMax);
    c.txtVOutMin->setText(t.voutMin);
    boxes.snapshot = [this] {
        return c.txtAVDD->text() + "|" + c.txtVoutMax->text() + "|" + c.txtVOutMin->text() + "|" +
               c.txtRSET->text();
    };

    panel->updateResistorsFromRange();

    ASSERT_EQ(boxes.boxes.size(), t.boxes.size());
    for (std::size_t i = 0; i < t.boxes.size(); ++i) {
        EXPECT_EQ(boxes.boxes[i].text, t.boxes[i].first);
        EXPECT_EQ(boxes.boxes[i].fieldsWhileOpen, t.boxes[i].second);
        EXPECT_EQ(boxes.boxes[i].style, styleOkOnly);
        EXPECT_EQ(boxes.boxes[i].title, QString());
    }
    EXPECT_EQ(c.txtAVDD->text(), t.avddAfter);
    EXPECT_EQ(c.txtRSET->text(), t.rsetAfter);
    EXPECT_EQ(c.txtVoutMax->text(), t.voutMaxAfter);
    EXPECT_EQ(c.txtVOutMin->text(), t.voutMinAfter);
    EXPECT_EQ(c.txtR1->text(), t.r1);
    EXPECT_EQ(c.txtR2->text(), t.r2);
    EXPECT_EQ(c.txtVOUT->text(), t.vcom);
    EXPECT_EQ(c.txtDVR->text(), "00");
    EXPECT_EQ(foreColor(c.txtR1), t.r1Colour);
    EXPECT_EQ(foreColor(c.txtR2), t.r2Colour);
    EXPECT_EQ(foreColor(c.txtAVDD), t.avddColour);
}

const char* const avddMsg = "AVDD needs to be non-zero";
const char* const maxMsg = "VOUTmax cannot exceed AVDD";
const char* const minMsg = "VOUTmin must be lower than VOUTmax";
const char* const rsetMsg = "Rset needs to be greater than 0";

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcPanelReverse,
    ::testing::Values(
        ReverseCase{"StartUpRange",
                    "8",
                    "10000",
                    "4.9179",
                    "2.8817",
                    {},
                    "8",
                    "10000",
                    "4.9179",
                    "2.8817",
                    "82997.7",
                    "132993.4",
                    "4.9179",
                    normal,
                    normal,
                    normal},
        ReverseCase{"FifteenDigitRange",
                    "8",
                    "10000",
                    "4.91794053819444",
                    "2.88166666666667",
                    {},
                    "8",
                    "10000",
                    "4.91794053819444",
                    "2.88166666666667",
                    "83000.0",
                    "133000.0",
                    "4.9179",
                    normal,
                    normal,
                    normal},
        // A tiny RSET makes R2 a tiny negative number: it keeps its minus where it rounds to zero.
        ReverseCase{"NegativeR2NearZero",
                    "8",
                    "0.000000000001",
                    "8",
                    "7",
                    {},
                    "8",
                    "0.000000000001",
                    "8",
                    "7",
                    "0.0",
                    "-0.0",
                    "8.0000",
                    normal,
                    red,
                    normal},
        ReverseCase{"AvddZero",
                    "0",
                    "10000",
                    "4.9179",
                    "2.8817",
                    {{avddMsg, "0|4.9179|2.8817|10000"}},
                    "8",
                    "10000",
                    "4.9179",
                    "2.8817",
                    "82997.7",
                    "132993.4",
                    "4.9179",
                    normal,
                    normal,
                    normal},
        ReverseCase{"MaxAboveSupply",
                    "8",
                    "10000",
                    "9",
                    "0",
                    {{maxMsg, "8|9|0|10000"}},
                    "8",
                    "10000",
                    "8",
                    "0",
                    "200000.0",
                    "-51200000.0",
                    "8.0000",
                    normal,
                    red,
                    normal},
        ReverseCase{"MinEqualToMax",
                    "8",
                    "10000",
                    "3",
                    "3",
                    {{minMsg, "8|3|3|10000"}},
                    "8",
                    "10000",
                    "8",
                    "0",
                    "200000.0",
                    "-51200000.0",
                    "8.0000",
                    normal,
                    red,
                    normal},
        ReverseCase{"RsetZero",
                    "8",
                    "0",
                    "4.9179",
                    "2.8817",
                    {{rsetMsg, "8|4.9179|2.8817|0"}},
                    "8",
                    "10000",
                    "4.9179",
                    "2.8817",
                    "82997.7",
                    "132993.4",
                    "4.9179",
                    normal,
                    normal,
                    normal},
        ReverseCase{"AllFourInOrder",
                    "-1",
                    "0",
                    "9",
                    "9",
                    {{avddMsg, "-1|9|9|0"}, {maxMsg, "8|9|9|0"}, {minMsg, "8|8|9|0"}, {rsetMsg, "8|8|0|0"}},
                    "8",
                    "10000",
                    "8",
                    "0",
                    "200000.0",
                    "-51200000.0",
                    "8.0000",
                    normal,
                    red,
                    normal},
        // An unreadable VOUTmax takes the supply as typed, before check a puts the supply back.
        ReverseCase{"RepairedMaxUsesTypedSupply",
                    "-2",
                    "10000",
                    "",
                    "0",
                    {{avddMsg, "-2|-2|0|10000"}, {minMsg, "8|-2|0|10000"}},
                    "8",
                    "10000",
                    "8",
                    "0",
                    "200000.0",
                    "-51200000.0",
                    "8.0000",
                    normal,
                    red,
                    normal},
        ReverseCase{"RepairsAreSilent",
                    "",
                    "",
                    "",
                    "x",
                    {},
                    "8",
                    "10000",
                    "8",
                    "0",
                    "200000.0",
                    "-51200000.0",
                    "8.0000",
                    normal,
                    red,
                    normal},
        ReverseCase{"SupplyAbove18IsRed",
                    "20",
                    "10000",
                    "4.9179",
                    "2.8817",
                    {},
                    "20",
                    "10000",
                    "4.9179",
                    "2.8817",
                    "82997.7",
                    "27121.8",
                    "4.9179",
                    normal,
                    normal,
                    red},
        ReverseCase{"Supply18IsNotRed",
                    "18",
                    "10000",
                    "4.9179",
                    "2.8817",
                    {},
                    "18",
                    "10000",
                    "4.9179",
                    "2.8817",
                    "82997.7",
                    "31270.7",
                    "4.9179",
                    normal,
                    normal,
                    normal},
        ReverseCase{"NegativeRange",
                    "8",
                    "10000",
                    "-1",
                    "-3",
                    {},
                    "8",
                    "10000",
                    "-1",
                    "-3",
                    "-404743.1",
                    "44657.7",
                    "-1.0000",
                    red,
                    normal,
                    normal}),
    vcm::test::CaseName());

TEST_F(CalcPanelTest, ReverseRepairWritesTheSupplyInItsGeneralForm) {
    c.txtAVDD->setText("12.5");
    c.txtVoutMax->setText("");
    c.txtVOutMin->setText("2");

    panel->updateResistorsFromRange();

    EXPECT_THAT(boxTexts(), IsEmpty());
    EXPECT_EQ(c.txtVoutMax->text(), "12.5");
}

TEST_F(CalcPanelTest, ReverseMovesTheMarkerToTheDcpValue) {
    c.txtVoutMax->setText("4.9179");
    c.txtVOutMin->setText("2.8817");
    c.txtTest->setText("80");

    panel->updateResistorsFromRange();

    EXPECT_EQ(c.txtVOUT->text(), "3.8958");
    EXPECT_EQ(c.txtIOUT->text(), "0.02016");
    EXPECT_EQ(c.txtVRSET->text(), "0.2016");
    EXPECT_EQ(twipsTop(c.txtVOUT), 1684);
    EXPECT_EQ(twipsTop(c.lblVCOM), 1684);
    EXPECT_EQ(c.Line4->y1(), 1804);
    EXPECT_EQ(c.Line4->y2(), 1804);
    EXPECT_EQ(c.lblDVR2->text(), "DCP (hex)");
}

// A run that meets an arithmetic fault leaves every output, colour and the marker as they were.
struct FaultCase {
    const char* name;
    bool reverse;
    const char *rset, *r1, *r2, *voutMax, *voutMin;
    std::vector<const char*> messageParts;
};

class CalcPanelFault : public CalcPanelTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CalcPanelFault, WritesNothingAndSaysWhy) {
    const FaultCase& t = GetParam();
    c.txtTest->setText("FF");
    panel->updateRangeFromResistors();  // outputs and marker away from their design values
    setForeColor(c.txtR2, red);
    c.txtTest->setText("00");
    c.lblDVR2->setText("DVR (hex)");
    c.txtRSET->setText(t.rset);
    c.txtR1->setText(t.r1);
    c.txtR2->setText(t.r2);
    c.txtVoutMax->setText(t.voutMax);
    c.txtVOutMin->setText(t.voutMin);
    const QString before = outputs();

    t.reverse ? panel->updateResistorsFromRange() : panel->updateRangeFromResistors();

    EXPECT_EQ(outputs(), before);
    EXPECT_EQ(c.lblDVR2->text(), "DCP (hex)");  // the caption is set before the checks
    ASSERT_EQ(boxes.boxes.size(), t.messageParts.size());
    for (std::size_t i = 0; i < t.messageParts.size(); ++i) {
        EXPECT_THAT(boxes.boxes[i].text.toStdString(), HasSubstr(t.messageParts[i]));
        EXPECT_EQ(boxes.boxes[i].style, styleOkOnly);
        EXPECT_EQ(boxes.boxes[i].title, QString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcPanelFault,
    ::testing::Values(
        FaultCase{"SpanIs255TimesHeadroom",
                  true,
                  "10000",
                  "83000",
                  "133000",
                  "7.96875",
                  "0",
                  {"exactly 255 times AVDD - VOUTmax"}},
        FaultCase{"ResistorSumZero",
                  false,
                  "10000",
                  "1000",
                  "-1000",
                  "1",
                  "0",
                  {"R1+R2 is less than 0?", "R1 + R2 must not be 0"}},
        FaultCase{
            "ResistorSumOverflows", false, "10000", "1e308", "1e308", "1", "0", {"R1 + R2 is too large"}},
        FaultCase{"RsetTooLarge", false, "1e306", "83000", "133000", "1", "0", {"VCOM is too large"}},
        FaultCase{"ReverseRsetTooLarge",
                  true,
                  "1e306",
                  "83000",
                  "133000",
                  "4.9179",
                  "2.8817",
                  {"R1 is too large"}}),
    vcm::test::CaseName());

// Only pasting can put junk into the DCP value box; a run then stops before the caption and the checks.
struct JunkCase {
    const char* name;
    bool hex;
    const char* dcpText;
    bool reverse;
};

class CalcPanelDcpJunk : public CalcPanelTest, public ::testing::WithParamInterface<JunkCase> {};

TEST_P(CalcPanelDcpJunk, StopsWithAMessageAfterTheRepairs) {
    const JunkCase& t = GetParam();
    globals.displayHex = t.hex ? vbTrue : vbFalse;
    c.txtTest->setText(t.dcpText);
    c.txtAVDD->setText("");   // repaired before the DCP value is read
    c.txtRSET->setText("0");  // would be reported by a check
    const QString before = outputs();

    t.reverse ? panel->updateResistorsFromRange() : panel->updateRangeFromResistors();

    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_THAT(boxes.boxes[0].text.toStdString(), HasSubstr("DCP value box does not hold a valid value"));
    EXPECT_EQ(c.txtAVDD->text(), "8");
    EXPECT_EQ(c.txtRSET->text(), "0");
    EXPECT_EQ(c.lblDVR2->text(), "DVR (hex)");
    EXPECT_EQ(outputs(), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, CalcPanelDcpJunk,
                         ::testing::Values(JunkCase{"HexForward", true, "G1", false},
                                           JunkCase{"HexReverse", true, "100", true},
                                           JunkCase{"DecimalForward", false, "abc", false},
                                           JunkCase{"DecimalReverse", false, "256", true}),
                         vcm::test::CaseName());

// A decimal text is read as a number and converted to the nearest byte, halves to even: both
// calculations then show what the plain digits of that byte give.
TEST_F(CalcPanelTest, ADecimalDcpTextIsReadAsANumberRoundedToAByte) {
    const std::pair<const char*, const char*> cases[] = {{"2.0", "2"}, {"+7", "7"},  {"1e1", "10"},
                                                         {"1.5", "2"}, {"2.5", "2"}, {" 200 ", "200"}};
    globals.displayHex = vbFalse;
    for (const auto& [text, digits] : cases) {
        for (const bool reverse : {false, true}) {
            SCOPED_TRACE(std::string(text) + (reverse ? " reverse" : " forward"));
            c.txtTest->setText(digits);
            reverse ? panel->updateResistorsFromRange() : panel->updateRangeFromResistors();
            const QString expected = outputs().replace(QStringLiteral("DVR ") + digits + u' ', QString());
            c.txtTest->setText(text);
            reverse ? panel->updateResistorsFromRange() : panel->updateRangeFromResistors();
            EXPECT_TRUE(boxes.boxes.empty());
            EXPECT_EQ(outputs().replace(QStringLiteral("DVR ") + text + u' ', QString()), expected);
        }
    }
}

}  // namespace
}  // namespace vcm::test
