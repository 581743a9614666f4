#include "meter/core/MeterSession.h"

#include "meter/core/MeasureCommand.h"
#include "meter/core/MeterFailure.h"

#include <utility>

namespace vcm::meter {

std::unique_ptr<Meter> openMeter(const MeterOptions& options, const MeterMaker& builtIn) {
    std::unique_ptr<Meter> meter;
    if (!options.command.isEmpty()) {
        meter = std::make_unique<CommandMeter>(options.command, options.timeoutSeconds);
    } else if (builtIn) {
        meter = builtIn(options);
    }
    if (!meter) {
        throw MeterFailure{QStringLiteral("meter: '%1' cannot be used here").arg(options.address)};
    }
    return meter;
}

MeterSession::MeterSession(std::unique_ptr<Meter> meter, int settleMs, int average, Pause pause)
    : meter_(std::move(meter)), settleMs_(settleMs), average_(average), pause_(std::move(pause)) {}

double MeterSession::measure(std::uint8_t value) {
    if (settleMs_ > 0) {
        pause_(settleMs_);
    }
    double sum = 0.0;
    for (int i = 0; i < average_; ++i) {
        sum += meter_->measure(value);
    }
    return sum / average_;
}

}  // namespace vcm::meter
