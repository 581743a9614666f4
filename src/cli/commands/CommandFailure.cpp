#include "cli/commands/CommandFailure.h"

#include "adapter/sim/SimulatedBoardFile.h"
#include "meter/core/MeterFailure.h"
#include "meter/core/StopSignal.h"
#include "station/BoardFailure.h"
#include "station/LogFile.h"

namespace vcm::cli {

QString CommandFailure::outcome() const {
    if (exitCode > kExitSignalBase) {
        return QStringLiteral("aborted");
    }
    return exitCode == kExitFail ? QStringLiteral("fail") : QStringLiteral("error");
}

CommandFailure currentFailure() {
    try {
        throw;
    } catch (const CommandFailure& failure) {
        return failure;
    } catch (const station::BoardFailure& failure) {
        if (failure.kind == station::BoardFailure::Kind::KeptBoard) {
            return {kExitUsage, failure.message};
        }
        return {failure.boardSaysNo() ? kExitFail : kExitError, failure.code(), failure.message};
    } catch (const meter::MeterFailure& failure) {
        return {kExitError, QStringLiteral("meter"), failure.message};
    } catch (const station::LogFailure& failure) {
        return {kExitError, QStringLiteral("log"), failure.message};
    } catch (const adapter::BoardFileError& failure) {
        return {kExitError, QStringLiteral("board-file"), failure.message};
    } catch (const station::StopRequested& stop) {
        return {kExitSignalBase + stop.signal, QStringLiteral("stopped"),
                QStringLiteral("stopped by ") + meter::StopSignal::name(stop.signal)};
    }
}

void rethrowWithDone(const JsonObject& done) {
    CommandFailure failure = currentFailure();
    failure.done = done;
    throw failure;
}

}  // namespace vcm::cli
