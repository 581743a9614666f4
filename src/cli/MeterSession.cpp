#include "cli/MeterSession.h"

#include "cli/CommandFailure.h"
#include "cli/MeasureCommand.h"

#include <QThread>

namespace vcm::cli {

MeterSession::MeterSession(const Invocation& invocation, const MeterMaker& builtIn)
    : settleMs_(invocation.settleMs), average_(invocation.average) {
    const MeterOptions& options = invocation.meter;
    if (!options.command.isEmpty()) {
        meter_ = std::make_unique<CommandMeter>(options.command, options.timeoutSeconds);
    } else if (builtIn) {
        meter_ = builtIn(options);
    }
    if (!meter_) {
        throw CommandFailure{kExitFailed,
                             QStringLiteral("meter: '%1' cannot be used here").arg(options.address)};
    }
}

double MeterSession::measureAt(BoardSession& board, std::uint8_t value) {
    board.sendVerified(value);
    if (settleMs_ > 0) {
        QThread::msleep(static_cast<unsigned long>(settleMs_));
    }
    double sum = 0.0;
    for (int i = 0; i < average_; ++i) {
        sum += meter_->measure(value);
    }
    return sum / average_;
}

}  // namespace vcm::cli
