#include "cli/commands/Commands.h"

#include "cli/commands/CommandFailure.h"
#include "cli/options/CommandTable.h"
#include "dcp/DcpText.h"

#include <QRegularExpression>

#include <utility>

namespace vcm::cli {

CommandOutput::CommandOutput(bool json, LineSink stdoutLine, LineSink stderrLine)
    : json_(json), stdoutLine_(std::move(stdoutLine)), stderrLine_(std::move(stderrLine)) {}

void CommandOutput::text(const QString& line) const {
    if (!json_) {
        stdoutLine_(line);
    }
}

void CommandOutput::field(const QString& label, const QString& value) const {
    text(QStringLiteral("%1 %2").arg(label, -9).arg(value));
}

void CommandOutput::warning(const QString& message) const {
    if (stderrLine_) {
        stderrLine_(QStringLiteral("vcm7310: warning: ") + oneLine(message));
    }
}

void CommandOutput::note(const QString& line) const {
    if (stderrLine_) {
        stderrLine_(line);
    }
}

void CommandOutput::print(const JsonObject& object) const {
    if (json_) {
        stdoutLine_(object.toText());
    }
}

QString oneLine(const QString& message) {
    static const QRegularExpression lineBreaks(QStringLiteral("\\s*[\r\n]+\\s*"));
    return QString(message).replace(lineBreaks, QStringLiteral(" "));
}

JsonObject failureObject(const std::optional<JsonObject>& done, const QString& command,
                         const CommandFailure& failure) {
    JsonObject object;
    if (done) {
        object = *done;
    } else if (!command.isEmpty()) {
        object.text(QStringLiteral("command"), command);
    }
    return object.text(QStringLiteral("outcome"), failure.outcome())
        .text(QStringLiteral("failure"), failure.failure)
        .text(QStringLiteral("error"), oneLine(failure.message))
        .integer(QStringLiteral("exitCode"), failure.exitCode);
}

QString dcpValueText(std::uint8_t value) {
    return QStringLiteral("%1 (%2)").arg(dcp::byteToHex(value)).arg(value);
}

QString commandName(Command command) {
    return commandDefinition(command).name;
}

int runInvocation(const Invocation& invocation, const CommandOutput::LineSink& stdoutLine,
                  const CommandOutput::LineSink& stderrLine, const MeterMaker& builtInMeter) {
    const CommandOutput out(invocation.json, stdoutLine, stderrLine);
    try {
        out.print(commandDefinition(invocation.command)
                      .run(invocation, out, builtInMeter)
                      .text(QStringLiteral("outcome"), QStringLiteral("pass")));
        return kExitPass;
    } catch (...) {
        const CommandFailure failure = currentFailure();
        const QString message = oneLine(failure.message);
        stderrLine(QStringLiteral("vcm7310: ") + message);
        // With what was done before the failure (a trim's measurements), so a station loses nothing.
        out.print(failureObject(failure.done, commandName(invocation.command), failure));
        return failure.exitCode;
    }
}

}  // namespace vcm::cli
