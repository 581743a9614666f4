#pragma once

#include "station/JsonObject.h"

#include <QString>

#include <optional>
#include <utility>

namespace vcm::cli {

/// The commands write their JSON with the station's writer, so the log and stdout agree to the digit.
using station::JsonObject;

/// The tool's exit codes, the same for every command, so that a production line can act on them.
inline constexpr int kExitPass = 0;  ///< done, every check passed
inline constexpr int kExitFail =
    1;  ///< the answer is no: the board failed a check, or a calculation has no result
inline constexpr int kExitUsage = 2;  ///< a usage error, found before anything touched the bus
inline constexpr int kExitError = 3;  ///< the station could not do its job (adapter, bus, meter, log, files)
/// Stopped by a signal: 128 + the signal's number (the tool ends by the signal itself).
inline constexpr int kExitSignalBase = 128;

/// Thrown by a step that cannot go on; the tool prints `message` as one line on stderr and exits with
/// `exitCode`. Whatever comes after the failing step (above all an EEPROM write) never runs.
struct CommandFailure {
    /// `failureCode` is the stable name a script or a station record reads ("usage", "bus").
    CommandFailure(int code, QString failureCode, QString text)
        : exitCode(code), failure(std::move(failureCode)), message(std::move(text)) {}
    /// The same with what the command had done before it failed.
    CommandFailure(int code, QString failureCode, QString text, JsonObject before)
        : exitCode(code),
          failure(std::move(failureCode)),
          message(std::move(text)),
          done(std::move(before)) {}
    /// A usage error, or (with kExitFail) a calculation that has no result.
    CommandFailure(int code, QString text)
        : exitCode(code),
          failure(code == kExitUsage ? QStringLiteral("usage") : QStringLiteral("no-result")),
          message(std::move(text)) {}

    /// "fail", "error" or "aborted", as the exit code says.
    QString outcome() const;

    int exitCode = kExitFail;
    QString failure;
    QString message;
    /// What the command had done before it failed (a trim's measurements), for its JSON object.
    std::optional<JsonObject> done;
};

/// The failure being handled (in a catch block) as the tool reports it: a CommandFailure as it is; a
/// failure of the board, the meter, the station log or the simulated board's file, or a stop, with its
/// exit code and name. Anything else is rethrown.
CommandFailure currentFailure();

/// Rethrows the failure being handled as a CommandFailure that carries `done`, what the command had done
/// before it.
[[noreturn]] void rethrowWithDone(const JsonObject& done);

}  // namespace vcm::cli
