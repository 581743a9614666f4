#pragma once

#include "cli/Meter.h"

#include <QString>

#include <functional>
#include <memory>

namespace vcm::meter {

/// Builds the meter a `--meter` address names and connects it (a MeterMaker). With
/// `options.trace` each exchange goes to stderr. Throws a CommandFailure: exit 2 for a address that
/// does not parse (the command line checks it before), exit 1 when the meter cannot be reached, does not
/// answer or refuses to measure DC volts.
std::unique_ptr<cli::Meter> makeScpiMeter(const cli::MeterOptions& options);

/// The same with the trace lines handed to `trace` instead of stderr. (A name of its own, so that
/// `makeScpiMeter` alone converts to a MeterMaker.)
std::unique_ptr<cli::Meter> makeTracedScpiMeter(const cli::MeterOptions& options,
                                                std::function<void(const QString&)> trace);

}  // namespace vcm::meter
