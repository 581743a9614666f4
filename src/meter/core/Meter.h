#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace vcm::meter {

/// A multimeter on the board's VCOM. The closed-loop trim and the sweep measure through it, whether it is
/// a shell command the user wrote or a bench meter the tool talks to itself.
class Meter {
  public:
    virtual ~Meter() = default;

    /// The VCOM in volts while the data register holds `value` (sent and verified just before). Throws a
    /// MeterFailure whose message names the meter and what it did or answered.
    virtual double measure(std::uint8_t value) = 0;
    /// What the meter says it is (its identification reply), for the trace and the station log; empty when
    /// it cannot tell.
    virtual QString identity() const { return {}; }
    /// How the user named the meter ("command", "scpi:tcp:127.0.0.1:5025"), for messages and the log.
    virtual QString description() const = 0;
};

/// How the tool reaches its meter: `--measure CMD` or `--meter ADDRESS`, never both.
struct MeterOptions {
    QString command;               ///< --measure: a shell command that prints volts; empty when not given
    QString address;               ///< --meter as given ("scpi:tcp:HOST[:PORT]"); empty when not given
    QString query;                 ///< --meter-query: the measurement query; empty for the default
    double timeoutSeconds = 10.0;  ///< --meter-timeout: the longest one measurement may take
    bool trace = false;            ///< --trace: the meter's identification and traffic on stderr

    bool given() const { return !command.isEmpty() || !address.isEmpty(); }
};

/// Builds and connects the built-in meter that a --meter address names; throws a MeterFailure when it
/// cannot be reached or configured. The executable supplies it, so that the network and serial modules
/// stay out of the libraries that measure.
using MeterMaker = std::function<std::unique_ptr<Meter>(const MeterOptions&)>;

/// The meter the options name: the --measure command, or the built-in meter `builtIn` makes. Throws a
/// MeterFailure when it cannot be had.
std::unique_ptr<Meter> openMeter(const MeterOptions& options, const MeterMaker& builtIn);

}  // namespace vcm::meter
