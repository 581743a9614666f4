#include "cli/commands/TrimBench.h"

#include "adapter/selection/AdapterSelection.h"
#include "calculator/FieldTexts.h"
#include "cli/commands/CalcChecks.h"
#include "cli/commands/CommandFailure.h"
#include "meter/core/StopSignal.h"

#include <QLocale>
#include <QThread>

namespace vcm::cli {

namespace {

const QLocale kC = QLocale::c();

/// The plan of a trim by the model alone: the value is chosen before anything touches the bus.
station::TrimPlan modelPlan(const Invocation& invocation) {
    const double target = invocation.targetVcom;
    const calc::ForwardResults range = checkedForward(invocation.forward);
    if (target > range.voutMax || target < range.voutMin) {
        throw CommandFailure{kExitUsage,
                             QStringLiteral("trim: target %1 V is outside the reachable range %2 V "
                                            "(VOUTmin) to %3 V (VOUTmax)")
                                 .arg(station::voltsText(target), calc::voltageText(range.voutMin, kC),
                                      calc::voltageText(range.voutMax, kC))};
    }
    const auto nearest = station::nearestByModel(invocation.forward, target);
    if (const auto* fault = std::get_if<calc::ArithmeticFault>(&nearest)) {
        throw CommandFailure{kExitFail, fault->message};
    }
    station::TrimPlan plan;
    plan.target = target;
    plan.program = invocation.program;
    plan.predicted = std::get<station::DcpPoint>(nearest);
    return plan;
}

/// The plan of a closed-loop trim: the model it starts from and the tolerance of its readings.
station::TrimPlan measuredPlan(const Invocation& invocation) {
    const auto line = station::modelLineOf(invocation.forward);
    if (const auto* fault = std::get_if<calc::ArithmeticFault>(&line)) {
        throw CommandFailure{kExitFail, fault->message};
    }
    station::TrimPlan plan;
    plan.target = invocation.targetVcom;
    plan.program = invocation.program;
    plan.model = std::get<station::ModelLine>(line);
    if (!(plan.model.step() > 0.0)) {
        throw CommandFailure{kExitUsage, QStringLiteral("trim: the divider options give a VCOM that does not "
                                                        "fall as the DCP value rises, so there is no model "
                                                        "to start from")};
    }
    plan.tolerance = invocation.tolerance.value_or(plan.model.step());
    return plan;
}

/// The settings that decide a verdict, as the recipe's hash takes them.
QStringList recipeSettings(const Invocation& invocation, const TrimSetup& setup) {
    const calc::ForwardInputs& divider = invocation.forward;
    QStringList settings{
        QStringLiteral("basis=") + (setup.closedLoop ? QStringLiteral("measured") : QStringLiteral("model")),
        QStringLiteral("target=") + station::voltsText(setup.plan.target),
        QStringLiteral("avdd=") + station::voltsText(divider.avdd),
        QStringLiteral("rset=") + station::voltsText(divider.rset),
        QStringLiteral("r1=") + station::voltsText(divider.r1),
        QStringLiteral("r2=") + station::voltsText(divider.r2),
        QStringLiteral("program=") + (setup.plan.program ? QStringLiteral("yes") : QStringLiteral("no")),
    };
    if (setup.closedLoop) {
        settings << QStringLiteral("tolerance=") + station::microvoltsText(setup.plan.tolerance)
                 << QStringLiteral("settle=%1").arg(invocation.settleMs)
                 << QStringLiteral("average=%1").arg(invocation.average)
                 << QStringLiteral("query=") + invocation.meter.query;
    }
    return settings;
}

void pause(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

}  // namespace

TrimSetup trimSetup(const Invocation& invocation) {
    TrimSetup setup;
    setup.closedLoop = invocation.meter.given();
    setup.toleranceGiven = invocation.tolerance.has_value();
    setup.plan = setup.closedLoop ? measuredPlan(invocation) : modelPlan(invocation);
    station::TrimContext& context = setup.context;
    context.station = invocation.stationId;
    context.operatorName = invocation.operatorName;
    context.tool = QStringLiteral("vcm7310 ") + invocation.toolVersion;
    context.adapter = adapter::adapterSelectionText(invocation.adapter.adapter);
    context.closedLoop = setup.closedLoop;
    context.target = setup.plan.target;
    if (setup.closedLoop) {
        context.tolerance = setup.plan.tolerance;
    }
    context.recipe = station::recipeOf(recipeSettings(invocation, setup));
    return setup;
}

AttemptClock::AttemptClock(const TrimSetup& setup, const QString& boardId, station::StationLog* log)
    : context_(setup.context) {
    timer_.start();
    context_.start = station::logTimeNow();
    context_.boardId = boardId;
    if (log && !boardId.isEmpty()) {
        context_.attempt = log->history(boardId).attempts + 1;
    }
}

Attempt AttemptClock::finish(station::TrimResult result, const TrimBench* bench) const {
    Attempt attempt{context_, std::move(result)};
    attempt.context.end = station::logTimeNow();
    if (bench) {
        attempt.context.meter = bench->meterName();
        attempt.context.meterIdentity = bench->meterIdentity();
    }
    return attempt;
}

TrimBench::TrimBench(const Invocation& invocation, const MeterMaker& builtInMeter, bool closedLoop)
    : board_(invocation.adapter, invocation.sim) {
    if (closedLoop) {
        meter_ = std::make_unique<meter::MeterSession>(meter::openMeter(invocation.meter, builtInMeter),
                                                       invocation.settleMs, invocation.average, pause);
    }
}

station::TrimResult TrimBench::trim(const TrimSetup& setup, const AttemptClock& clock, const QString& boardId,
                                    const station::TrimProcedure::Measured& measured) {
    qputenv("VCM7310_BOARD", boardId.toUtf8());
    station::TrimProcedure procedure(
        board_.session(), meter_.get(), meter::StopSignal::pending, [&clock] { return clock.seconds(); },
        measured);
    return procedure.run(setup.plan);
}

QString TrimBench::meterName() const {
    return meter_ ? meter_->meter().description() : QString();
}

QString TrimBench::meterIdentity() const {
    return meter_ ? meter_->meter().identity() : QString();
}

std::unique_ptr<station::StationLog> openStationLog(const QString& path) {
    if (path.isEmpty()) {
        return nullptr;
    }
    try {
        return std::make_unique<station::StationLog>(path);
    } catch (const station::LogFailure& failure) {
        throw CommandFailure{kExitError, QStringLiteral("log"), failure.message};
    }
}

std::optional<QString> logAttempt(station::StationLog* log, const Attempt& attempt) {
    if (!log) {
        return std::nullopt;
    }
    try {
        log->append(station::logLine(attempt.context, attempt.result));
        return std::nullopt;
    } catch (const station::LogFailure& failure) {
        return failure.message;
    }
}

int exitCodeOf(station::Verdict verdict) {
    switch (verdict) {
        case station::Verdict::Pass:
            return kExitPass;
        case station::Verdict::Fail:
            return kExitFail;
        case station::Verdict::Error:
            return kExitError;
        case station::Verdict::Aborted:
            return kExitSignalBase + meter::StopSignal::pending();
    }
    return kExitError;
}

}  // namespace vcm::cli
