#pragma once

#include "station/JsonObject.h"

#include <QString>

#include <optional>
#include <utility>

namespace vcm::cli {

/// The commands write their JSON with the station's writer, so the log and stdout agree to the digit.
using station::JsonObject;

/// The tool's exit codes: success, a failure of the chip, the adapter or a measurement (or a calculation
/// that cannot be worked out), and a usage error found before anything touched the bus.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
/// The tool could not do its job at all (a log it cannot read, a file it cannot write).
inline constexpr int kExitError = 3;

/// Thrown by a step that cannot go on; the tool prints `message` as one line on stderr and exits with
/// `exitCode`. Whatever comes after the failing step (above all an EEPROM write) never runs.
struct CommandFailure {
    CommandFailure(int code, QString text, std::optional<JsonObject> before = std::nullopt)
        : exitCode(code), message(std::move(text)), done(std::move(before)) {}

    int exitCode = kExitFailed;
    QString message;
    /// What the command had done before it failed (a trim's measurements), for its JSON object.
    std::optional<JsonObject> done;
};

/// The failure being handled (in a catch block) as the tool reports it: a CommandFailure as it is; a
/// failure of the board, the meter, the station log or the simulated board's file, or a stop, with its
/// exit code. Anything else is rethrown.
CommandFailure currentFailure();

/// Rethrows the failure being handled as a CommandFailure that carries `done`, what the command had done
/// before it.
[[noreturn]] void rethrowWithDone(const JsonObject& done);

}  // namespace vcm::cli
