#include "station/TrimProcedure.h"

#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"
#include "meter/core/MeterFailure.h"
#include "meter/core/StopSignal.h"
#include "station/BoardFailure.h"

#include <QLocale>

#include <cmath>
#include <utility>

namespace vcm::station {

namespace {

const QLocale kC = QLocale::c();
constexpr int kMeasuredDecimals = 6;

QString volts(double value) {
    return dcp::formatGeneral(value, kC);
}

QString pointText(const DcpPoint& point) {
    return QStringLiteral("%1 V at %2").arg(volts(point.vcom), dcp::byteToHex(point.value));
}

void end(TrimResult& result, Verdict verdict, const QString& failure, const QString& message) {
    result.verdict = verdict;
    result.failure = failure;
    result.message = message;
}

/// Takes the verdict of a step's failure into what the trim had done before it.
void adopt(TrimResult& result, const TrimResult& failed) {
    end(result, failed.verdict, failed.failure, failed.message);
}

/// Why the closed loop stopped without a value to program, as its failure name and sentence, or nothing
/// when it found one.
std::optional<std::pair<QString, QString>> refusal(const ClosedLoopResult& result, double target,
                                                   double tolerance) {
    using Outcome = ClosedLoopResult::Outcome;
    const auto end = [&](std::uint8_t value) {
        for (const DcpPoint& point : result.measurements) {
            if (point.value == value) {
                return point;
            }
        }
        return DcpPoint{value, 0.0};
    };
    switch (result.outcome) {
        case Outcome::Passed:
            return std::nullopt;
        case Outcome::OutOfTolerance:
            return std::pair{
                QStringLiteral("out-of-tolerance"),
                QStringLiteral(
                    "%1 measures %2 V again, %3 V from the target %4 V, more than the tolerance %5 V")
                    .arg(dcp::byteToHex(result.best.value), volts(*result.finalVcom),
                         dcp::formatFixed(std::abs(*result.finalVcom - target), kMeasuredDecimals, kC),
                         volts(target), dcp::formatFixed(tolerance, kMeasuredDecimals, kC))};
        case Outcome::AboveRange:
            return std::pair{QStringLiteral("out-of-reach"),
                             QStringLiteral("target %1 V is above the highest VCOM the board reaches (%2)")
                                 .arg(volts(target), pointText(end(0x00)))};
        case Outcome::BelowRange:
            return std::pair{QStringLiteral("out-of-reach"),
                             QStringLiteral("target %1 V is below the lowest VCOM the board reaches (%2)")
                                 .arg(volts(target), pointText(end(0xFF)))};
        case Outcome::Reversed:
            return std::pair{
                QStringLiteral("reversed"),
                QStringLiteral("the VCOM rises as the value rises (%1, %2): the board is reversed "
                               "or not a VCM7310 divider")
                    .arg(pointText(result.evidence->first), pointText(result.evidence->second))};
        case Outcome::Flat:
            return std::pair{
                QStringLiteral("no-change"),
                QStringLiteral("the VCOM hardly changes with the value (%1, %2): is the meter on "
                               "VCOM and the DCP connected?")
                    .arg(pointText(result.evidence->first), pointText(result.evidence->second))};
    }
    return std::nullopt;
}

}  // namespace

TrimResult unstartedTrim(const BoardFailure& failure) {
    TrimResult result;
    end(result, failure.kind == BoardFailure::Kind::Readback ? Verdict::Fail : Verdict::Error, failure.code(),
        failure.message);
    return result;
}

TrimResult unstartedTrim(const meter::MeterFailure& failure) {
    TrimResult result;
    end(result, Verdict::Error, QStringLiteral("meter"), failure.message);
    return result;
}

TrimProcedure::TrimProcedure(BoardSession& board, meter::MeterSession* meter, StopPending stopPending,
                             Measured measured)
    : board_(board), meter_(meter), stopPending_(std::move(stopPending)), measured_(std::move(measured)) {}

TrimResult TrimProcedure::run(const TrimPlan& plan) {
    TrimResult result;
    try {
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
            QStringLiteral("trim: stopped by %1; nothing was programmed")
                .arg(meter::StopSignal::name(stop.signal)));
    }
    if (const int signal = stopPending_ ? stopPending_() : 0; signal != 0 && !result.passed()) {
        // The failure a stop caused (a measure command ended) is the stop itself.
        end(result, Verdict::Aborted, QStringLiteral("stopped"), result.message);
    }
    return result;
}

void TrimProcedure::byModel(const TrimPlan& plan, TrimResult& result) {
    result.chosen = plan.predicted.value;
    board_.sendVerified(plan.predicted.value);
    result.sent = true;
    program(plan, result);
}

void TrimProcedure::byMeasurement(const TrimPlan& plan, TrimResult& result) {
    const MeasureAt measureAt = [&](std::uint8_t value) {
        if (const int signal = stopPending_ ? stopPending_() : 0; signal != 0) {
            throw StopRequested{signal};
        }
        board_.sendVerified(value);
        const double vcom = meter_->measure(value);
        result.measurements.push_back({value, vcom});
        if (measured_) {
            measured_({value, vcom});
        }
        return vcom;
    };
    const ClosedLoopResult found = nearestByMeasurement(plan.target, plan.model, plan.tolerance, measureAt);
    if (found.finalVcom) {
        result.chosen = found.best.value;
        result.finalVcom = found.finalVcom;
        result.sent = true;
    }
    result.movedFrom = found.movedFrom;
    if (const auto why = refusal(found, plan.target, plan.tolerance)) {
        end(result, Verdict::Fail, why->first,
            QStringLiteral("trim: ") + why->second + QStringLiteral("; nothing was programmed"));
        return;
    }
    program(plan, result);
}

void TrimProcedure::program(const TrimPlan& plan, TrimResult& result) {
    if (!plan.program) {
        return;
    }
    if (const int signal = stopPending_ ? stopPending_() : 0; signal != 0) {
        // A stop asked for before the EEPROM write: the board keeps what it had.
        end(result, Verdict::Aborted, QStringLiteral("stopped"),
            QStringLiteral("trim: stopped by %1 before programming; nothing was programmed")
                .arg(meter::StopSignal::name(signal)));
        return;
    }
    board_.program(*result.chosen);
    result.programmed = true;
}

}  // namespace vcm::station
