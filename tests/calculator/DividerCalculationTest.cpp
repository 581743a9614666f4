#include "calculator/ForwardCalculation.h"
#include "calculator/ReverseCalculation.h"
#include "calculator/VcomMarker.h"

#include "CalcTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <variant>

namespace vcm::test {
namespace {

using vcm::test::PrintTo;

using ::testing::HasSubstr;

constexpr double kTolerance = 1e-7;

// The design values AVDD 8, RSET 10000, R1 83000, R2 133000 at three DCP values.
struct ForwardCase {
    std::uint8_t d;
    double iout, vrset, vcom;
};

void PrintTo(const ForwardCase& row, std::ostream* os) {
    *os << "D=" << int{row.d};
}

class CalcForwardWorkedExample : public ::testing::TestWithParam<ForwardCase> {};

TEST_P(CalcForwardWorkedExample, GivesTheUnroundedResults) {
    const ForwardCase& c = GetParam();
    const auto outcome = calc::computeForward({8.0, 10000.0, 83000.0, 133000.0, c.d});
    ASSERT_TRUE(std::holds_alternative<calc::ForwardResults>(outcome));
    const auto& r = std::get<calc::ForwardResults>(outcome);
    EXPECT_NEAR(r.ioutMilliamps, c.iout, kTolerance);
    EXPECT_NEAR(r.vrset, c.vrset, kTolerance);
    EXPECT_NEAR(r.vcom, c.vcom, kTolerance);
    EXPECT_NEAR(r.voutMax, 4.9179405, kTolerance);
    EXPECT_NEAR(r.voutMin, 2.8816667, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(Rows, CalcForwardWorkedExample,
                         ::testing::Values(ForwardCase{0, 0.00015625, 0.0015625, 4.9179405},
                                           ForwardCase{128, 0.02015625, 0.2015625, 3.8958109},
                                           ForwardCase{255, 0.04, 0.4, 2.8816667}));

TEST(CalcForward, RangeEndsAreVcomAtBothEndsOfTheScale) {
    const auto atZero =
        std::get<calc::ForwardResults>(calc::computeForward({8.0, 10000.0, 83000.0, 133000.0, 0}));
    const auto atTop =
        std::get<calc::ForwardResults>(calc::computeForward({8.0, 10000.0, 83000.0, 133000.0, 255}));
    EXPECT_EQ(atZero.vcom, atZero.voutMax);
    EXPECT_EQ(atTop.vcom, atTop.voutMin);
}

struct ReverseCase {
    const char* name;
    double avdd, voutMax, voutMin;
    std::uint8_t d;
    double r1, r2, vcom;
};

class CalcReverse : public ::testing::TestWithParam<ReverseCase> {};

TEST_P(CalcReverse, GivesTheResistorsForTheRange) {
    const ReverseCase& c = GetParam();
    const auto outcome = calc::computeReverse({c.avdd, 10000.0, c.voutMax, c.voutMin, c.d});
    ASSERT_TRUE(std::holds_alternative<calc::ReverseResults>(outcome));
    const auto& r = std::get<calc::ReverseResults>(outcome);
    EXPECT_NEAR(r.r1, c.r1, 0.01);
    EXPECT_NEAR(r.r2, c.r2, 0.01);
    EXPECT_NEAR(r.vcom, c.vcom, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, CalcReverse,
    ::testing::Values(
        ReverseCase{"RoundedStartUpRange", 8.0, 4.9179, 2.8817, 0, 82997.68, 132993.41, 4.9179},
        ReverseCase{"RoundedRangeAtD128", 8.0, 4.9179, 2.8817, 128, 82997.68, 132993.41, 3.8958075},
        ReverseCase{"RoundedRangeAtD255", 8.0, 4.9179, 2.8817, 255, 82997.68, 132993.41, 2.8817},
        ReverseCase{"FifteenDigitRange", 8.0, 4.91794053819444, 2.88166666666667, 0, 83000.0, 133000.0,
                    4.91794053819444},
        ReverseCase{"FullRange", 8.0, 8.0, 0.0, 0, 200000.0, -51200000.0, 8.0},
        ReverseCase{"HighSupply", 20.0, 4.9179, 2.8817, 0, 82997.68, 27121.79, 4.9179},
        ReverseCase{"NegativeRange", 8.0, -1.0, -3.0, 0, -404743.08, 44657.65, -1.0}),
    vcm::test::CaseName());

struct FaultCase {
    const char* name;
    std::variant<calc::ForwardInputs, calc::ReverseInputs> inputs;
    const char* messagePart;
};

template <typename Results>
std::optional<QString> faultMessage(const std::variant<Results, calc::ArithmeticFault>& outcome) {
    if (const auto* fault = std::get_if<calc::ArithmeticFault>(&outcome)) {
        return fault->message;
    }
    return std::nullopt;
}

std::optional<QString> faultOf(const calc::ForwardInputs& inputs) {
    return faultMessage(calc::computeForward(inputs));
}
std::optional<QString> faultOf(const calc::ReverseInputs& inputs) {
    return faultMessage(calc::computeReverse(inputs));
}

class CalcFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CalcFault, StopsWithAPlainMessage) {
    const FaultCase& c = GetParam();
    const std::optional<QString> message =
        std::visit([](const auto& inputs) { return faultOf(inputs); }, c.inputs);
    ASSERT_TRUE(message.has_value());
    EXPECT_THAT(message->toStdString(), HasSubstr(c.messagePart));
}

constexpr double kHuge = 1e306;

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcFault,
    ::testing::Values(FaultCase{"ResistorsCancel", calc::ForwardInputs{8.0, 10000.0, 1000.0, -1000.0, 0},
                                "R1 + R2 must not be 0"},
                      FaultCase{"BothResistorsZero", calc::ForwardInputs{8.0, 10000.0, 0.0, 0.0, 0},
                                "R1 + R2 must not be 0"},
                      // R2 / (R2 + R1) would quietly be 0 if the overflowing sum went unchecked.
                      FaultCase{"ResistorSumOverflows", calc::ForwardInputs{8.0, 10000.0, 1e308, 1e308, 0},
                                "VCOM is too large"},
                      FaultCase{"CurrentOverflows", calc::ForwardInputs{kHuge, 1e-300, 83000.0, 133000.0, 0},
                                "IOUT is too large"},
                      FaultCase{"RsetScaleOverflows", calc::ForwardInputs{8.0, kHuge, 83000.0, 133000.0, 0},
                                "VCOM is too large"},
                      FaultCase{"ForwardRsetZero", calc::ForwardInputs{8.0, 0.0, 83000.0, 133000.0, 0},
                                "RSET must be greater than 0"},
                      FaultCase{"SpanIs255TimesHeadroom", calc::ReverseInputs{8.0, 10000.0, 7.96875, 0.0, 0},
                                "exactly 255 times AVDD - VOUTmax"},
                      FaultCase{"MinIs256TimesMax", calc::ReverseInputs{8.0, 10000.0, -1.0, -256.0, 0},
                                "divisor of R1 zero"},
                      FaultCase{"ReverseR1Overflows", calc::ReverseInputs{8.0, kHuge, 4.9179, 2.8817, 0},
                                "R1 is too large"},
                      FaultCase{"ReverseR2Overflows", calc::ReverseInputs{1e307, 10000.0, 1e305, 0.0, 0},
                                "R2 is too large"}),
    vcm::test::CaseName());

struct MarkerCase {
    std::uint8_t d;
    int offset, top, lineY;
};

void PrintTo(const MarkerCase& row, std::ostream* os) {
    *os << "D=" << int{row.d};
}

class CalcMarker : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(CalcMarker, MovesWithTheDcpValue) {
    const MarkerCase& c = GetParam();
    EXPECT_EQ(calc::vcomMarkerOffset(c.d), c.offset);
    const calc::VcomMarkerPosition position = calc::vcomMarkerPosition(c.d);
    EXPECT_EQ(position.top, c.top);
    EXPECT_EQ(position.lineY, c.lineY);
}

INSTANTIATE_TEST_SUITE_P(Values, CalcMarker,
                         ::testing::Values(MarkerCase{0, 0, 720, 840}, MarkerCase{1, 8, 728, 848},
                                           MarkerCase{128, 964, 1684, 1804},
                                           MarkerCase{200, 1506, 2226, 2346},
                                           MarkerCase{255, 1920, 2640, 2760}));

}  // namespace
}  // namespace vcm::test
