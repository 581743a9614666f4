#pragma once

#include "cli/Meter.h"

#include <QString>

#include <optional>

namespace vcm::cli {

/// The measured VCOM in what a measure command printed: the whole output, blanks and line breaks around
/// it aside, must be one number with a period for the decimal point ("4.0123", "+4.01230E+00").
std::optional<double> measurementIn(const QString& output);

/// The meter of `--measure CMD`: runs CMD with /bin/sh for every measurement, with the value in its
/// environment (VCM7310_DCP=7D), and reads the VCOM it prints on stdout; its stderr goes to ours.
/// The command runs in a process group of its own. One still running after the timeout is killed with
/// its whole group, and so is one running when the tool gets SIGINT or SIGTERM, so that no meter shell
/// outlives the tool. While a CommandMeter lives, SIGINT and SIGTERM make the measurement fail instead
/// of killing the tool at once, so the trim still logs the board; a second one ends the tool.
class CommandMeter final : public Meter {
  public:
    CommandMeter(QString command, double timeoutSeconds);
    ~CommandMeter() override;
    CommandMeter(const CommandMeter&) = delete;
    CommandMeter& operator=(const CommandMeter&) = delete;

    /// Throws a CommandFailure (exit 1) when the command cannot start, crashes, exits with a code other
    /// than 0, runs past the timeout, or prints no number.
    double measure(std::uint8_t value) override;
    QString description() const override { return QStringLiteral("command"); }

    /// The SIGINT or SIGTERM that stopped a measurement, or 0; the tool ends with it once it has logged.
    static int stoppedBy();

  private:
    QString command_;
    int timeoutMs_;
};

}  // namespace vcm::cli
