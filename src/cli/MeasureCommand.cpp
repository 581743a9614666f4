#include "cli/MeasureCommand.h"

#include "cli/ArgumentValues.h"
#include "cli/CommandFailure.h"

#include <QProcess>

namespace vcm {

std::optional<double> measurementIn(const QString& output) {
    const QString text = output.trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return numberArgument(text);
}

double runMeasureCommand(const QString& command) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    // A meter can take its time; the command itself decides when it gives up.
    if (!process.waitForStarted(-1)) {
        throw CommandFailure{
            exitFailed, QStringLiteral("measure: cannot run the command (%1)").arg(process.errorString())};
    }
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit) {
        throw CommandFailure{exitFailed, QStringLiteral("measure: the command crashed")};
    }
    if (process.exitCode() != 0) {
        throw CommandFailure{
            exitFailed,
            QStringLiteral("measure: the command failed with exit code %1").arg(process.exitCode())};
    }
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    const std::optional<double> volts = measurementIn(output);
    if (!volts) {
        const QString shown = output.trimmed().left(40);
        throw CommandFailure{exitFailed,
                             QStringLiteral("measure: the command printed no number ('%1')").arg(shown)};
    }
    return *volts;
}

}  // namespace vcm
