#pragma once

#include "cli/JsonObject.h"

#include <QString>

#include <optional>

namespace vcm {

/// The tool's exit codes: success, a failure of the chip, the adapter or a measurement (or a calculation
/// that cannot be worked out), and a usage error found before anything touched the bus.
inline constexpr int exitSuccess = 0;
inline constexpr int exitFailed = 1;
inline constexpr int exitUsage = 2;

/// Thrown by a step that cannot go on; the tool prints `message` as one line on stderr and exits with
/// `exitCode`. Whatever comes after the failing step (above all an EEPROM write) never runs.
struct CommandFailure {
    int exitCode = exitFailed;
    QString message;
    /// What the command had done before the step failed (the measurements so far, say), as the start of
    /// the JSON object that --json prints with the error; without it that object names only the command.
    /// A command sets it when it catches a failure on its way out and throws it on.
    std::optional<JsonObject> done{};
};

}  // namespace vcm
