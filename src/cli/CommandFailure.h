#pragma once

#include "cli/JsonObject.h"

#include <QString>

#include <optional>
#include <utility>

namespace vcm::cli {

/// The tool's exit codes: success, a failure of the chip, the adapter or a measurement (or a calculation
/// that cannot be worked out), and a usage error found before anything touched the bus.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

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

}  // namespace vcm::cli
