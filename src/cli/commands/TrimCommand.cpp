#include "cli/commands/CommandFailure.h"
#include "cli/commands/Commands.h"
#include "cli/commands/TrimBench.h"
#include "cli/commands/TrimOutput.h"
#include "meter/core/StopSignal.h"

#include <memory>

namespace vcm::cli {

JsonObject runTrim(const Invocation& invocation, const CommandOutput& out, const MeterMaker& builtInMeter) {
    const std::unique_ptr<station::StationLog> log = openStationLog(invocation.logFile);
    const TrimSetup setup = trimSetup(invocation);
    if (setup.closedLoop) {
        out.field(QStringLiteral("tolerance"),
                  station::microvoltsText(setup.plan.tolerance) +
                      (setup.toleranceGiven ? QStringLiteral(" V")
                                            : QStringLiteral(" V (one DCP step of the model)")));
    }
    const meter::StopSignal stops;
    const AttemptClock clock(setup, invocation.boardId, log.get());
    std::unique_ptr<TrimBench> bench;
    station::TrimResult result;
    try {
        bench = std::make_unique<TrimBench>(invocation, builtInMeter, setup.closedLoop);
        result = bench->trim(setup, clock, invocation.boardId,
                             [&](const station::Measurement& reading) { out.text(readingLine(reading)); });
    } catch (const station::BoardFailure& failure) {
        if (failure.kind == station::BoardFailure::Kind::KeptBoard) {
            throw CommandFailure{kExitUsage, failure.message};
        }
        result = station::unstartedTrim(failure);
    } catch (const meter::MeterFailure& failure) {
        result = station::unstartedTrim(failure);
    }
    const Attempt attempt = clock.finish(result, bench.get());
    printTrimmed(out, setup, result);
    JsonObject json = trimJson(invocation.command, setup, result);
    // What was done to the board is on stdout and in the JSON object even when the log cannot take it.
    if (const std::optional<QString> problem = logAttempt(log.get(), attempt)) {
        throw CommandFailure{kExitError, QStringLiteral("log"), *problem, json};
    }
    if (!result.passed()) {
        throw CommandFailure{exitCodeOf(result.verdict), result.failure, result.message, json};
    }
    return json;
}

}  // namespace vcm::cli
