#pragma once

#include <QString>

#include <optional>

namespace vcm {

/// The measured VCOM in what a measure command printed: the whole output, blanks and line breaks around
/// it aside, must be one number with a period for the decimal point ("4.0123", "+4.01230E+00").
std::optional<double> measurementIn(const QString& output);

/// Runs `command` with /bin/sh and returns the VCOM it printed on stdout. Its stderr goes to ours. Throws
/// a CommandFailure (exit 1) when it cannot start, crashes, exits with a code other than 0, or prints no
/// number.
double runMeasureCommand(const QString& command);

}  // namespace vcm
