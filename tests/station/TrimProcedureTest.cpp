#include "QtPrinters.h"
#include "adapter/sim/SimulatedBoard.h"
#include "adapter/sim/SimulatedVcom.h"
#include "calculator/FieldTexts.h"
#include "meter/core/MeterFailure.h"
#include "station/TrimProcedure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace vcm::test {
namespace {

/// A meter on the simulated board: the board's VCOM (3 % above the model), or what `reading` makes of it.
class BoardMeter final : public meter::Meter {
  public:
    using Reading = std::function<double(std::uint8_t value, double vcom, int call)>;
    BoardMeter(const adapter::SimulatedBoard& board, Reading reading)
        : board_(board), reading_(std::move(reading)) {}

    double measure(std::uint8_t value) override {
        const double vcom = adapter::simulatedVcom(board_.state().dataRegister, 3.0);
        return reading_ ? reading_(value, vcom, calls_++) : vcom;
    }
    QString description() const override { return QStringLiteral("board meter"); }

  private:
    const adapter::SimulatedBoard& board_;
    Reading reading_;
    int calls_ = 0;
};

station::TrimPlan closedLoopPlan(double target) {
    station::TrimPlan plan;
    plan.target = target;
    plan.program = true;
    plan.model = std::get<station::ModelLine>(station::modelLineOf(calc::defaultDivider(0)));
    plan.tolerance = plan.model.step();
    return plan;
}

TEST(TrimProcedure, EachWayATrimEndsIsItsVerdictAndNothingUncheckedReachesTheEeprom) {
    struct Case {
        const char* name;
        adapter::SimFault fault;
        BoardMeter::Reading reading;
        int stopAtCall;  ///< the stop signal is pending from this call of the stop check on, or never (-1)
        station::Verdict verdict;
        QString failure;
        bool programmed;
        QString messageStart;
    };
    // The board's readings: 73, 82, 81, 83, then 82 again as the final check; after the EEPROM write the
    // sixth.
    const auto afterEeprom = [](std::uint8_t, double vcom, int call) {
        return call >= 5 ? vcom + 0.05 : vcom;
    };
    const auto failsThird = [](std::uint8_t, double vcom, int call) {
        if (call == 2) {
            throw meter::MeterFailure{QStringLiteral("measure: the command failed with exit code 1")};
        }
        return vcom;
    };
    const Case cases[] = {
        {"passes", adapter::SimFault::None, {}, -1, station::Verdict::Pass, {}, true, {}},
        {"the EEPROM write fails",
         adapter::SimFault::EepromFails,
         {},
         -1,
         station::Verdict::Error,
         QStringLiteral("eeprom"),
         false,
         QStringLiteral("program: the EEPROM write of 82 failed; the board may be half-programmed")},
        {"the VCOM moves after programming", adapter::SimFault::None, afterEeprom, -1, station::Verdict::Fail,
         QStringLiteral("after-program"), true, QStringLiteral("trim: 82 measures ")},
        {"the meter fails mid-search", adapter::SimFault::None, failsThird, -1, station::Verdict::Error,
         QStringLiteral("meter"), false, QStringLiteral("measure: the command failed")},
        {"a stop before the first step",
         adapter::SimFault::None,
         {},
         0,
         station::Verdict::Aborted,
         QStringLiteral("stopped"),
         false,
         QStringLiteral("trim: stopped by SIGTERM; nothing was programmed")},
        {"a stop mid-search",
         adapter::SimFault::None,
         {},
         3,
         station::Verdict::Aborted,
         QStringLiteral("stopped"),
         false,
         QStringLiteral("trim: stopped by SIGTERM; nothing was programmed")},
        // The search's four readings and the final check are done; the stop comes before the EEPROM write.
        {"a stop just before programming",
         adapter::SimFault::None,
         {},
         6,
         station::Verdict::Aborted,
         QStringLiteral("stopped"),
         false,
         QStringLiteral("trim: stopped by SIGTERM; nothing was programmed")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        adapter::SimulatedBoard board(adapter::SimulatedChip(0x80), c.fault);
        station::BoardSession session(board, [](int) {});
        session.connect();
        meter::MeterSession meter(std::make_unique<BoardMeter>(board, c.reading), 0, 1, [](int) {});
        int stopChecks = 0;
        const auto stop = [&] { return c.stopAtCall >= 0 && stopChecks++ >= c.stopAtCall ? SIGTERM : 0; };
        station::TrimProcedure procedure(session, &meter, stop, [] { return 0.5; });
        const station::TrimResult result = procedure.run(closedLoopPlan(4.0));
        EXPECT_EQ(result.verdict, c.verdict);
        EXPECT_EQ(result.failure, c.failure);
        EXPECT_EQ(result.programmed, c.programmed);
        EXPECT_TRUE(result.message.startsWith(c.messageStart)) << result.message.toStdString();
        EXPECT_EQ(board.state().eeprom, c.programmed ? 0x82 : 0x80);
        for (const station::Measurement& reading : result.measurements) {
            EXPECT_EQ(reading.seconds, 0.5);
        }
        if (c.verdict == station::Verdict::Pass) {
            ASSERT_TRUE(result.afterProgram.has_value());
            EXPECT_EQ(*result.afterProgram, result.measurements.back().vcom);
            EXPECT_NEAR(*result.error(4.0), -0.003765, 1e-6);
        }
    }
}

TEST(TrimProcedure, ByTheModelSendsTheModelsValueAndProgramsIt) {
    adapter::SimulatedBoard board(adapter::SimulatedChip(0x80), adapter::SimFault::None);
    station::BoardSession session(board, [](int) {});
    session.connect();
    station::TrimPlan plan;
    plan.target = 4.0;
    plan.program = true;
    plan.predicted = std::get<station::DcpPoint>(station::nearestByModel(calc::defaultDivider(0), 4.0));
    const station::TrimResult result = station::TrimProcedure(
                                           session, nullptr, [] { return 0; }, [] { return 0.0; })
                                           .run(plan);
    EXPECT_TRUE(result.passed());
    EXPECT_EQ(result.chosen, 0x73);
    EXPECT_TRUE(result.programmed);
    EXPECT_TRUE(result.measurements.empty());
    EXPECT_EQ(board.state(), (adapter::SimulatedChip::State{0x73, 0x73}));
}

}  // namespace
}  // namespace vcm::test
