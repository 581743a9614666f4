#include "station/TrimProcedure.h"

#include "meter/core/StopSignal.h"
#include "station/TrimRefusal.h"

#include <cmath>
#include <utility>

namespace vcm::station {

namespace {

void end(TrimResult& result, Verdict verdict, const QString& failure, const QString& message) {
    result.verdict = verdict;
    result.failure = failure;
    result.message = message;
}

/// Takes the verdict of a step's failure into what the trim had done before it.
void adopt(TrimResult& result, const TrimResult& failed) {
    end(result, failed.verdict, failed.failure, failed.message);
}

}  // namespace

QString verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass:
            return QStringLiteral("pass");
        case Verdict::Fail:
            return QStringLiteral("fail");
        case Verdict::Error:
            return QStringLiteral("error");
        case Verdict::Aborted:
            return QStringLiteral("aborted");
    }
    return {};
}

std::optional<double> TrimResult::error(double target) const {
    if (afterProgram) {
        return *afterProgram - target;
    }
    if (finalVcom) {
        return *finalVcom - target;
    }
    if (predictedVcom) {
        return *predictedVcom - target;
    }
    return std::nullopt;
}

TrimResult unstartedTrim(const BoardFailure& failure) {
    TrimResult result;
    end(result, failure.boardSaysNo() ? Verdict::Fail : Verdict::Error, failure.code(), failure.message);
    return result;
}

TrimResult unstartedTrim(const meter::MeterFailure& failure) {
    TrimResult result;
    end(result, Verdict::Error, QStringLiteral("meter"), failure.message);
    return result;
}

TrimProcedure::TrimProcedure(BoardSession& board, meter::MeterSession* meter, StopPending stopPending,
                             Clock clock, Measured measured)
    : board_(board),
      meter_(meter),
      stopPending_(std::move(stopPending)),
      clock_(std::move(clock)),
      measured_(std::move(measured)) {}

TrimResult TrimProcedure::run(const TrimPlan& plan) {
    TrimResult result;
    try {
        checkStop();
        if (meter_) {
            byMeasurement(plan, result);
        } else {
            byModel(plan, result);
        }
    } catch (const BoardFailure& failure) {
        adopt(result, unstartedTrim(failure));
    } catch (const meter::MeterFailure& failure) {
        adopt(result, unstartedTrim(failure));
    } catch (const StopRequested& stop) {
        end(result, Verdict::Aborted, QStringLiteral("stopped"),
            QStringLiteral("trim: stopped by %1%2")
                .arg(meter::StopSignal::name(stop.signal),
                     result.programmed ? QString() : QStringLiteral("; nothing was programmed")));
    }
    if (!result.passed() && result.verdict != Verdict::Aborted && stopPending_() != 0) {
        // The failure a stop caused (a measure command ended) is the stop itself.
        end(result, Verdict::Aborted, QStringLiteral("stopped"), result.message);
    }
    return result;
}

void TrimProcedure::checkStop() const {
    if (const int signal = stopPending_(); signal != 0) {
        throw StopRequested{signal};
    }
}

double TrimProcedure::measure(std::uint8_t value, TrimResult& result) {
    const double vcom = meter_->measure(value);
    const Measurement reading{value, vcom, clock_()};
    result.measurements.push_back(reading);
    if (measured_) {
        measured_(reading);
    }
    return vcom;
}

void TrimProcedure::byModel(const TrimPlan& plan, TrimResult& result) {
    result.chosen = plan.predicted.value;
    result.predictedVcom = plan.predicted.vcom;
    board_.sendVerified(plan.predicted.value);
    program(plan, result);
}

void TrimProcedure::byMeasurement(const TrimPlan& plan, TrimResult& result) {
    const MeasureAt measureAt = [&](std::uint8_t value) {
        checkStop();
        board_.sendVerified(value);
        return measure(value, result);
    };
    const ClosedLoopResult found = nearestByMeasurement(plan.target, plan.model, plan.tolerance, measureAt);
    if (found.finalVcom) {
        result.chosen = found.best.value;
        result.finalVcom = found.finalVcom;
    }
    result.movedFrom = found.movedFrom;
    if (const std::optional<TrimRefusal> refusal = refusalOf(found, plan.target, plan.tolerance)) {
        end(result, Verdict::Fail, refusal->failure,
            QStringLiteral("trim: ") + refusal->reason + QStringLiteral("; nothing was programmed"));
        return;
    }
    program(plan, result);
}

void TrimProcedure::program(const TrimPlan& plan, TrimResult& result) {
    if (!plan.program) {
        return;
    }
    // Nothing goes to the EEPROM once a stop is pending: the board keeps what it had.
    checkStop();
    const std::uint8_t value = *result.chosen;
    board_.program(value);
    result.programmed = true;
    if (!meter_) {
        return;
    }
    const double after = measure(value, result);
    result.afterProgram = after;
    if (std::abs(after - plan.target) > plan.tolerance) {
        end(result, Verdict::Fail, QStringLiteral("after-program"),
            QStringLiteral("trim: ") + movedAfterProgramming(value, after, plan.target, plan.tolerance));
    }
}

}  // namespace vcm::station
