#pragma once

#include "cli/commands/CommandFailure.h"
#include "cli/options/Invocation.h"
#include "meter/core/Meter.h"

#include <QString>

#include <functional>
#include <optional>

namespace vcm::cli {

/// Where a command writes: text lines as it goes (left out with --json), warnings on stderr, and at its
/// end one JSON object that the dispatcher prints with --json.
class CommandOutput {
  public:
    using LineSink = std::function<void(const QString&)>;

    CommandOutput(bool json, LineSink stdoutLine, LineSink stderrLine = {});

    /// A line of the text output, written at once so that a long trim shows its steps as it goes.
    void text(const QString& line) const;
    /// A line "label value" with the labels lined up.
    void field(const QString& label, const QString& value) const;
    /// A warning the command goes on after ("vcm7310: warning: ..." on stderr, with --json too).
    void warning(const QString& message) const;
    /// A line for the person at the terminal (a prompt), on stderr as it stands.
    void note(const QString& line) const;
    bool json() const { return json_; }
    void print(const JsonObject& object) const;

  private:
    bool json_;
    LineSink stdoutLine_;
    LineSink stderrLine_;
};

// The commands. Each returns its JSON object, or throws a CommandFailure at the step that failed.
JsonObject runRead(const Invocation& invocation, const CommandOutput& out);
JsonObject runSend(const Invocation& invocation, const CommandOutput& out);
JsonObject runProgram(const Invocation& invocation, const CommandOutput& out);
JsonObject runCalcForward(const Invocation& invocation, const CommandOutput& out);
JsonObject runCalcReverse(const Invocation& invocation, const CommandOutput& out);
/// `builtInMeter` makes the meter of --meter (the trim and the sweep measure with it).
JsonObject runTrim(const Invocation& invocation, const CommandOutput& out, const MeterMaker& builtInMeter);
JsonObject runStation(const Invocation& invocation, const CommandOutput& out, const MeterMaker& builtInMeter);
JsonObject runSweep(const Invocation& invocation, const CommandOutput& out, const MeterMaker& builtInMeter);
JsonObject runSimMeasure(const Invocation& invocation, const CommandOutput& out);
JsonObject runReport(const Invocation& invocation, const CommandOutput& out);

/// Runs the invocation's command and returns the exit code. A failure is one line on stderr
/// ("vcm7310: read-back: ...") and, with --json, an object with "error" on stdout.
int runInvocation(const Invocation& invocation, const CommandOutput::LineSink& stdoutLine,
                  const CommandOutput::LineSink& stderrLine, const MeterMaker& builtInMeter = {});

/// A failure's message on one line: a script reads stderr line by line.
QString oneLine(const QString& message);
/// What --json prints for a failure: what was done (or the command's name, when known), the outcome
/// ("fail", "error", "aborted"), the failure's name, the error on one line and the exit code.
JsonObject failureObject(const std::optional<JsonObject>& done, const QString& command,
                         const CommandFailure& failure);

/// "7D (125)".
QString dcpValueText(std::uint8_t value);
/// The name of a command as typed ("calc forward").
QString commandName(Command command);

}  // namespace vcm::cli
