#include "cli/commands/CommandFailure.h"

#include "adapter/sim/SimulatedBoardFile.h"
#include "meter/core/MeterFailure.h"
#include "meter/core/StopSignal.h"
#include "station/BoardFailure.h"
#include "station/LogFile.h"

namespace vcm::cli {

CommandFailure currentFailure() {
    try {
        throw;
    } catch (const CommandFailure& failure) {
        return failure;
    } catch (const station::BoardFailure& failure) {
        if (failure.kind == station::BoardFailure::Kind::KeptBoard) {
            return {kExitUsage, failure.message};
        }
        return {failure.exitCode != 0 ? failure.exitCode : kExitFailed, failure.message};
    } catch (const meter::MeterFailure& failure) {
        return {kExitFailed, failure.message};
    } catch (const station::LogFailure& failure) {
        return {kExitFailed, failure.message};
    } catch (const adapter::BoardFileError& failure) {
        return {kExitFailed, failure.message};
    } catch (const station::StopRequested& stop) {
        return {kExitFailed, QStringLiteral("stopped by ") + meter::StopSignal::name(stop.signal)};
    }
}

void rethrowWithDone(const JsonObject& done) {
    CommandFailure failure = currentFailure();
    failure.done = done;
    throw failure;
}

}  // namespace vcm::cli
