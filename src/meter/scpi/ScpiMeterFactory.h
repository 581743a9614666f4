#pragma once

#include "meter/core/Meter.h"

#include <QString>

#include <functional>
#include <memory>

namespace vcm::meter {

/// Builds the meter a `--meter` address names and connects it (a MeterMaker). With
/// `options.trace` each exchange goes to stderr. Throws a MeterFailure when the address or the query
/// does not parse (the command line checks them before), or the meter cannot be reached, does not answer
/// or refuses to measure DC volts.
std::unique_ptr<Meter> makeScpiMeter(const MeterOptions& options);

/// The same with the trace lines handed to `trace` instead of stderr. (A name of its own, so that
/// `makeScpiMeter` alone converts to a MeterMaker.)
std::unique_ptr<Meter> makeTracedScpiMeter(const MeterOptions& options,
                                           std::function<void(const QString&)> trace);

}  // namespace vcm::meter
