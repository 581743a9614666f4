#include "cli/Commands.h"

#include "cli/CommandFailure.h"
#include "dcp/DcpText.h"

#include <QRegularExpression>

#include <utility>

namespace vcm {

CommandOutput::CommandOutput(bool json, LineSink stdoutLine)
    : json_(json), stdoutLine_(std::move(stdoutLine)) {}

void CommandOutput::text(const QString& line) const {
    if (!json_) {
        stdoutLine_(line);
    }
}

void CommandOutput::field(const QString& label, const QString& value) const {
    text(QStringLiteral("%1 %2").arg(label, -9).arg(value));
}

void CommandOutput::print(const JsonObject& object) const {
    if (json_) {
        stdoutLine_(object.toText());
    }
}

QString dcpValueText(std::uint8_t value) {
    return QStringLiteral("%1 (%2)").arg(byteToHex(value)).arg(value);
}

QString commandName(Command command) {
    switch (command) {
        case Command::Read:
            return QStringLiteral("read");
        case Command::Send:
            return QStringLiteral("send");
        case Command::Program:
            return QStringLiteral("program");
        case Command::CalcForward:
            return QStringLiteral("calc forward");
        case Command::CalcReverse:
            return QStringLiteral("calc reverse");
        case Command::Trim:
            return QStringLiteral("trim");
        case Command::Sweep:
            return QStringLiteral("sweep");
        case Command::SimMeasure:
            return QStringLiteral("sim-measure");
    }
    return {};
}

int runInvocation(const Invocation& invocation, const CommandOutput::LineSink& stdoutLine,
                  const CommandOutput::LineSink& stderrLine, const MeterMaker& builtInMeter) {
    const CommandOutput out(invocation.json, stdoutLine);
    try {
        switch (invocation.command) {
            case Command::Read:
                out.print(runRead(invocation, out));
                break;
            case Command::Send:
                out.print(runSend(invocation, out));
                break;
            case Command::Program:
                out.print(runProgram(invocation, out));
                break;
            case Command::CalcForward:
                out.print(runCalcForward(invocation, out));
                break;
            case Command::CalcReverse:
                out.print(runCalcReverse(invocation, out));
                break;
            case Command::Trim:
                out.print(runTrim(invocation, out, builtInMeter));
                break;
            case Command::Sweep:
                out.print(runSweep(invocation, out, builtInMeter));
                break;
            case Command::SimMeasure:
                out.print(runSimMeasure(invocation, out));
                break;
        }
        return exitSuccess;
    } catch (const CommandFailure& failure) {
        // One line, whatever the message: a script reads stderr line by line.
        static const QRegularExpression lineBreaks(QStringLiteral("\\s*[\r\n]+\\s*"));
        const QString message = QString(failure.message).replace(lineBreaks, QStringLiteral(" "));
        stderrLine(QStringLiteral("vcm7310: ") + message);
        // With what was done before the failure (a trim's measurements), so a station loses nothing.
        JsonObject object = failure.done.value_or(
            JsonObject().text(QStringLiteral("command"), commandName(invocation.command)));
        out.print(object.text(QStringLiteral("error"), message)
                      .integer(QStringLiteral("exitCode"), failure.exitCode));
        return failure.exitCode;
    }
}

}  // namespace vcm
