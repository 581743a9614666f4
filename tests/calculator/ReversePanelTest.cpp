#include "PanelFixture.h"

#include "ui/VbColor.h"

#include <gmock/gmock.h>

namespace vcm::test {
namespace {

using vcm::test::PrintTo;

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr ui::VbColor kRed = 0x000000FF;
constexpr ui::VbColor kNormal = ui::kVbButtonText;

/// What a reverse run leaves in AVDD, VOUTmax, VOUTmin and RSET (null: the text typed there), in R1, R2
/// and VOUT (VCOM), and the colours of R1, R2 and AVDD.
struct ReverseResult {
    const char *avdd, *voutMax, *voutMin, *rset;
    const char *r1, *r2, *vcom;
    ui::VbColor r1Colour = kNormal, r2Colour = kNormal, avddColour = kNormal;
};

/// The four fields keep what was typed.
constexpr ReverseResult kept(const char* r1, const char* r2, const char* vcom, ui::VbColor r1Colour = kNormal,
                             ui::VbColor r2Colour = kNormal, ui::VbColor avddColour = kNormal) {
    return {nullptr, nullptr, nullptr, nullptr, r1, r2, vcom, r1Colour, r2Colour, avddColour};
}

/// The start-up range on the design supply and RSET: the design resistors to within a few ohms.
constexpr ReverseResult kStartUp{"8", "4.9179", "2.8817", "10000", "82997.7", "132993.4", "4.9179"};
/// The range to fifteen digits gives the design resistors to the tenth.
constexpr ReverseResult kDesignResistors = kept("83000.0", "133000.0", "4.9179");
/// A supply above 18 V is red.
constexpr ReverseResult kRedSupply = kept("82997.7", "27121.8", "4.9179", kNormal, kNormal, kRed);
/// The whole supply, 8 down to 0: R2 comes out negative and red.
constexpr ReverseResult kWholeSupply{"8",           "8",      "0",     "10000", "200000.0",
                                     "-51200000.0", "8.0000", kNormal, kRed};

struct ReverseCase {
    const char* name;
    const char* typed;  // AVDD|VOUTmax|VOUTmin|RSET
    // Each message with AVDD|VOUTmax|VOUTmin|RSET as they stood while it was open.
    ExpectedBoxes boxes;
    ReverseResult result;
};

class CalcPanelReverse : public CalcPanelTest, public ::testing::WithParamInterface<ReverseCase> {};

TEST_P(CalcPanelReverse, ChecksThenWritesResistorsAndColours) {
    const ReverseCase& t = GetParam();
    const auto fields = {c.txtAVDD, c.txtVoutMax, c.txtVOutMin, c.txtRSET};
    ASSERT_NO_FATAL_FAILURE(typeInto(fields, t.typed));
    watchWhileOpen(fields);
    const QStringList typed = QString::fromUtf8(t.typed).split(u'|');
    const auto after = [&typed](const char* expected, qsizetype field) {
        return expected != nullptr ? QString::fromUtf8(expected) : typed[field];
    };

    panel->updateResistorsFromRange();

    ASSERT_NO_FATAL_FAILURE(expectMessages(t.boxes));
    EXPECT_EQ(c.txtAVDD->text(), after(t.result.avdd, 0));
    EXPECT_EQ(c.txtVoutMax->text(), after(t.result.voutMax, 1));
    EXPECT_EQ(c.txtVOutMin->text(), after(t.result.voutMin, 2));
    EXPECT_EQ(c.txtRSET->text(), after(t.result.rset, 3));
    EXPECT_EQ(c.txtR1->text(), t.result.r1);
    EXPECT_EQ(c.txtR2->text(), t.result.r2);
    EXPECT_EQ(c.txtVOUT->text(), t.result.vcom);
    EXPECT_EQ(c.txtDVR->text(), "00");
    EXPECT_EQ(ui::foreColor(c.txtR1), t.result.r1Colour);
    EXPECT_EQ(ui::foreColor(c.txtR2), t.result.r2Colour);
    EXPECT_EQ(ui::foreColor(c.txtAVDD), t.result.avddColour);
}

const char* const avddMsg = "AVDD needs to be non-zero";
const char* const maxMsg = "VOUTmax cannot exceed AVDD";
const char* const minMsg = "VOUTmin must be lower than VOUTmax";
const char* const rsetMsg = "Rset needs to be greater than 0";

// Each check puts its field back before the next one looks.
const ExpectedBoxes kAllFour{
    {avddMsg, "-1|9|9|0"}, {maxMsg, "8|9|9|0"}, {minMsg, "8|8|9|0"}, {rsetMsg, "8|8|0|0"}};
// An unreadable VOUTmax takes the supply as typed, before check a puts the supply back.
const ExpectedBoxes kTypedSupplyFirst{{avddMsg, "-2|-2|0|10000"}, {minMsg, "8|-2|0|10000"}};

const ReverseCase kReverseCases[] = {
    {"StartUpRange", "8|4.9179|2.8817|10000", {}, kStartUp},
    {"FifteenDigitRange", "8|4.91794053819444|2.88166666666667|10000", {}, kDesignResistors},
    // A tiny RSET makes R2 a tiny negative number: it keeps its minus where it rounds to zero.
    {"NegativeR2NearZero", "8|8|7|0.000000000001", {}, kept("0.0", "-0.0", "8.0000", kNormal, kRed)},
    {"AvddZero", "0|4.9179|2.8817|10000", {{avddMsg, "0|4.9179|2.8817|10000"}}, kStartUp},
    {"MaxAboveSupply", "8|9|0|10000", {{maxMsg, "8|9|0|10000"}}, kWholeSupply},
    {"MinEqualToMax", "8|3|3|10000", {{minMsg, "8|3|3|10000"}}, kWholeSupply},
    {"RsetZero", "8|4.9179|2.8817|0", {{rsetMsg, "8|4.9179|2.8817|0"}}, kStartUp},
    {"AllFourInOrder", "-1|9|9|0", kAllFour, kWholeSupply},
    {"RepairedMaxUsesTypedSupply", "-2||0|10000", kTypedSupplyFirst, kWholeSupply},
    {"RepairsAreSilent", "||x|", {}, kWholeSupply},
    {"SupplyAbove18IsRed", "20|4.9179|2.8817|10000", {}, kRedSupply},
    {"Supply18IsNotRed", "18|4.9179|2.8817|10000", {}, kept("82997.7", "31270.7", "4.9179")},
    {"NegativeRange", "8|-1|-3|10000", {}, kept("-404743.1", "44657.7", "-1.0000", kRed)},
};

INSTANTIATE_TEST_SUITE_P(Cases, CalcPanelReverse, ::testing::ValuesIn(kReverseCases), vcm::test::CaseName());

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

    expectDcpResult(kDcp80);
    EXPECT_EQ(c.lblDVR2->text(), "DCP (hex)");
}

// A run that meets an arithmetic fault leaves every output, colour and the marker as they were.
struct FaultCase {
    const char* name;
    bool reverse;
    const char* typed;  // RSET|R1|R2|VOUTmax|VOUTmin
    std::vector<const char*> messageParts;
};

class CalcPanelFault : public CalcPanelTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CalcPanelFault, WritesNothingAndSaysWhy) {
    const FaultCase& t = GetParam();
    c.txtTest->setText("FF");
    panel->updateRangeFromResistors();  // outputs and marker away from their design values
    ui::setForeColor(c.txtR2, kRed);
    c.txtTest->setText("00");
    c.lblDVR2->setText("DVR (hex)");
    ASSERT_NO_FATAL_FAILURE(typeInto({c.txtRSET, c.txtR1, c.txtR2, c.txtVoutMax, c.txtVOutMin}, t.typed));
    const QString before = outputs();

    t.reverse ? panel->updateResistorsFromRange() : panel->updateRangeFromResistors();

    EXPECT_EQ(outputs(), before);
    EXPECT_EQ(c.lblDVR2->text(), "DCP (hex)");  // the caption is set before the checks
    ASSERT_EQ(boxes.shown.size(), t.messageParts.size());
    for (std::size_t i = 0; i < t.messageParts.size(); ++i) {
        EXPECT_THAT(boxes.shown[i].text.toStdString(), HasSubstr(t.messageParts[i]));
        EXPECT_EQ(boxes.shown[i].style, ui::kStyleOkOnly);
        EXPECT_EQ(boxes.shown[i].title, QString());
    }
}

const FaultCase kFaultCases[] = {
    {"SpanIs255TimesHeadroom", true, "10000|83000|133000|7.96875|0", {"exactly 255 times AVDD - VOUTmax"}},
    {"ResistorSumZero", false, "10000|1000|-1000|1|0", {"R1+R2 is less than 0?", "R1 + R2 must not be 0"}},
    {"ResistorSumOverflows", false, "10000|1e308|1e308|1|0", {"R1 + R2 is too large"}},
    {"RsetTooLarge", false, "1e306|83000|133000|1|0", {"VCOM is too large"}},
    {"ReverseRsetTooLarge", true, "1e306|83000|133000|4.9179|2.8817", {"R1 is too large"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, CalcPanelFault, ::testing::ValuesIn(kFaultCases), vcm::test::CaseName());

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
    globals.displayHex = t.hex ? dcp::kVbTrue : dcp::kVbFalse;
    c.txtTest->setText(t.dcpText);
    c.txtAVDD->setText("");   // repaired before the DCP value is read
    c.txtRSET->setText("0");  // would be reported by a check
    const QString before = outputs();

    t.reverse ? panel->updateResistorsFromRange() : panel->updateRangeFromResistors();

    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_THAT(boxes.shown[0].text.toStdString(), HasSubstr("DCP value box does not hold a valid value"));
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
    globals.displayHex = dcp::kVbFalse;
    for (const auto& [text, digits] : cases) {
        for (const bool reverse : {false, true}) {
            SCOPED_TRACE(std::string(text) + (reverse ? " reverse" : " forward"));
            c.txtTest->setText(digits);
            reverse ? panel->updateResistorsFromRange() : panel->updateRangeFromResistors();
            const QString expected = outputs().replace(QStringLiteral("DVR ") + digits + u' ', QString());
            c.txtTest->setText(text);
            reverse ? panel->updateResistorsFromRange() : panel->updateRangeFromResistors();
            EXPECT_TRUE(boxes.shown.empty());
            EXPECT_EQ(outputs().replace(QStringLiteral("DVR ") + text + u' ', QString()), expected);
        }
    }
}

}  // namespace
}  // namespace vcm::test
