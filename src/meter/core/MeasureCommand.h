#pragma once

#include "meter/core/Meter.h"

#include <QString>

#include <optional>

namespace vcm::meter {

/// The meter of `--measure CMD`: runs CMD with the platform's shell for every measurement, with the value
/// in its environment (VCM7310_DCP=7D), and reads the VCOM it prints on stdout; its stderr goes to ours.
/// The output, blanks and line breaks around it aside, must be one reading by the rule of a bench
/// meter's reply (scpiReading). A command still running after the timeout, or when a stop comes (see
/// StopSignal), is ended with everything it started.
class CommandMeter final : public Meter {
  public:
    CommandMeter(QString command, double timeoutSeconds);

    /// Throws a MeterFailure when the command cannot start, crashes, exits with a code other than 0, runs
    /// past the timeout, is stopped, or prints anything but one reading.
    double measure(std::uint8_t value) override;
    QString description() const override { return QStringLiteral("command"); }

  private:
    QString command_;
    int timeoutMs_;
};

}  // namespace vcm::meter
