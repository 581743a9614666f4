#include "adapter/selection/AdapterSelection.h"
#include "calculator/FieldTexts.h"
#include "cli/commands/CalcChecks.h"
#include "cli/commands/CommandFailure.h"
#include "cli/commands/Commands.h"
#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"
#include "meter/core/MeterFailure.h"
#include "meter/core/MeterSession.h"
#include "meter/core/StopSignal.h"
#include "station/BoardConnection.h"
#include "station/BoardFailure.h"
#include "station/StationLog.h"
#include "station/StationRecord.h"
#include "station/TrimProcedure.h"

#include <QLocale>
#include <QThread>

#include <memory>

namespace vcm::cli {

namespace {

const QLocale kC = QLocale::c();

/// A difference with its sign always written: "+0.0004", "-0.0012".
QString signedText(double value, int decimals) {
    const QString text = dcp::formatFixed(value, decimals, kC);
    return text.startsWith(u'-') ? text : u'+' + text;
}

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
        throw CommandFailure{kExitFailed, fault->message};
    }
    station::TrimPlan plan;
    plan.target = target;
    plan.program = invocation.program;
    plan.predicted = std::get<station::DcpPoint>(nearest);
    return plan;
}

/// The plan of a closed-loop trim: the model it starts from and the tolerance of its last reading.
station::TrimPlan measuredPlan(const Invocation& invocation) {
    const auto line = station::modelLineOf(invocation.forward);
    if (const auto* fault = std::get_if<calc::ArithmeticFault>(&line)) {
        throw CommandFailure{kExitFailed, fault->message};
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

void pause(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

/// Connects the board and the meter and runs the trim; a board or a meter that cannot be had ends the
/// result there.
station::TrimResult trimBoard(const Invocation& invocation, const station::TrimPlan& plan,
                              const CommandOutput& out, const MeterMaker& builtInMeter,
                              station::TrimContext& context) {
    station::TrimResult result;
    try {
        station::BoardConnection board(invocation.adapter, invocation.sim);
        std::unique_ptr<meter::MeterSession> meter;
        if (context.closedLoop) {
            meter = std::make_unique<meter::MeterSession>(meter::openMeter(invocation.meter, builtInMeter),
                                                          invocation.settleMs, invocation.average, pause);
            context.meter = meter->meter().description();
            context.meterIdentity = meter->meter().identity();
        }
        station::TrimProcedure procedure(
            board.session(), meter.get(), meter::StopSignal::pending, [&](const station::DcpPoint& point) {
                out.text(QStringLiteral("measured %1: %2 V")
                             .arg(dcpValueText(point.value), station::voltsText(point.vcom)));
            });
        result = procedure.run(plan);
    } catch (const station::BoardFailure& failure) {
        if (failure.kind == station::BoardFailure::Kind::KeptBoard) {
            throw CommandFailure{kExitUsage, failure.message};
        }
        result = station::unstartedTrim(failure);
    } catch (const meter::MeterFailure& failure) {
        result = station::unstartedTrim(failure);
    }
    return result;
}

/// The command's JSON object: the target and how it was trimmed, then what was found.
JsonObject trimJson(const Invocation& invocation, const station::TrimPlan& plan, bool closedLoop,
                    const station::TrimResult& result) {
    JsonObject json;
    json.text(QStringLiteral("command"), commandName(invocation.command))
        .number(QStringLiteral("target"), station::voltsText(plan.target))
        .text(QStringLiteral("basis"), closedLoop ? QStringLiteral("measured") : QStringLiteral("model"));
    if (closedLoop) {
        json.number(QStringLiteral("tolerance"), station::microvoltsText(plan.tolerance))
            .array(QStringLiteral("measurements"), station::pointObjects(result.measurements));
    }
    if (!result.passed() || !result.chosen) {
        return json;
    }
    const std::uint8_t value = *result.chosen;
    if (closedLoop) {
        const double error = *result.finalVcom - plan.target;
        json.text(QStringLiteral("hex"), dcp::byteToHex(value))
            .integer(QStringLiteral("value"), value)
            .number(QStringLiteral("vcom"), station::voltsText(*result.finalVcom))
            .number(QStringLiteral("error"), signedText(error, 6).remove(u'+'));
        if (result.movedFrom) {
            json.text(QStringLiteral("movedFrom"), dcp::byteToHex(*result.movedFrom));
        }
    } else {
        json.text(QStringLiteral("hex"), dcp::byteToHex(value))
            .integer(QStringLiteral("value"), value)
            .number(QStringLiteral("vcom"), calc::voltageText(plan.predicted.vcom, kC))
            .number(QStringLiteral("error"), signedText(plan.predicted.vcom - plan.target, 4).remove(u'+'));
    }
    return json.boolean(QStringLiteral("programmed"), result.programmed);
}

/// The text lines of a trim that chose a value.
void printChosen(const CommandOutput& out, const station::TrimPlan& plan, bool closedLoop,
                 const station::TrimResult& result) {
    if (!result.passed()) {
        return;
    }
    if (result.movedFrom) {
        out.field(QStringLiteral("moved"), QStringLiteral("from %1: a neighbour was nearer (the board is not "
                                                          "monotonic there)")
                                               .arg(dcpValueText(*result.movedFrom)));
    }
    const std::uint8_t value = *result.chosen;
    out.field(QStringLiteral("DCP"), dcpValueText(value));
    if (closedLoop) {
        out.field(QStringLiteral("VCOM"),
                  station::voltsText(*result.finalVcom) + QStringLiteral(" V measured"));
        out.field(QStringLiteral("error"),
                  signedText(*result.finalVcom - plan.target, 6) + QStringLiteral(" V"));
    } else {
        out.field(QStringLiteral("VCOM"),
                  calc::voltageText(plan.predicted.vcom, kC) + QStringLiteral(" V predicted"));
        out.field(QStringLiteral("error"),
                  signedText(plan.predicted.vcom - plan.target, 4) + QStringLiteral(" V"));
    }
    if (result.programmed) {
        out.text(QStringLiteral("programmed into the EEPROM"));
    }
}

}  // namespace

JsonObject runTrim(const Invocation& invocation, const CommandOutput& out, const MeterMaker& builtInMeter) {
    const bool closedLoop = invocation.meter.given();
    // Opened first: a station that cannot log its boards must not trim them.
    std::unique_ptr<station::StationLog> log;
    if (!invocation.logFile.isEmpty()) {
        try {
            log = std::make_unique<station::StationLog>(invocation.logFile);
        } catch (const station::LogFailure& failure) {
            throw CommandFailure{kExitFailed, failure.message};
        }
    }
    const station::TrimPlan plan = closedLoop ? measuredPlan(invocation) : modelPlan(invocation);
    station::TrimContext context{invocation.boardId,
                                 QStringLiteral("vcm7310 ") + invocation.toolVersion,
                                 adapter::adapterSelectionText(invocation.adapter.adapter),
                                 closedLoop,
                                 plan.target,
                                 closedLoop ? std::optional<double>(plan.tolerance) : std::nullopt,
                                 {},
                                 {}};
    if (closedLoop) {
        out.field(QStringLiteral("tolerance"),
                  station::microvoltsText(plan.tolerance) +
                      (invocation.tolerance ? QStringLiteral(" V")
                                            : QStringLiteral(" V (one DCP step of the model)")));
    }
    const meter::StopSignal stops;
    const station::TrimResult result = trimBoard(invocation, plan, out, builtInMeter, context);
    printChosen(out, plan, closedLoop, result);
    if (log) {
        try {
            log->append(station::logLine(context, result, station::logTimeNow()));
        } catch (const station::LogFailure& failure) {
            throw CommandFailure{kExitFailed, failure.message,
                                 trimJson(invocation, plan, closedLoop, result)};
        }
    }
    if (!result.passed()) {
        throw CommandFailure{kExitFailed, result.message, trimJson(invocation, plan, closedLoop, result)};
    }
    return trimJson(invocation, plan, closedLoop, result);
}

}  // namespace vcm::cli
