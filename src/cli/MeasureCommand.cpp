#include "cli/MeasureCommand.h"

#include "adapter/core/ArgumentText.h"
#include "cli/ArgumentValues.h"
#include "cli/CommandFailure.h"
#include "dcp/DcpText.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <atomic>
#include <cmath>
#include <csignal>

#include <sys/types.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <unistd.h>

namespace vcm::cli {

namespace {

/// The process group of the measure command running now, or 0: the signal handler ends it.
std::atomic<pid_t> runningGroup{0};
/// The SIGINT or SIGTERM that asked the tool to stop, or 0.
std::atomic<int> stopSignal{0};

extern "C" void endMeter(int signal) {
    const pid_t group = runningGroup.load();
    if (group > 0) {
        ::kill(-group, SIGKILL);
    }
    if (stopSignal.exchange(signal) != 0) {
        // Asked a second time: end now, as the signal would have.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

[[noreturn]] void throwStopped() {
    throw CommandFailure{kExitFailed, QStringLiteral("measure: stopped by %1")
                                          .arg(stopSignal.load() == SIGINT ? QStringLiteral("SIGINT")
                                                                           : QStringLiteral("SIGTERM"))};
}

using Handler = void (*)(int);
Handler previousInt = SIG_DFL;
Handler previousTerm = SIG_DFL;

QString secondsText(int milliseconds) {
    return QString::number(milliseconds / 1000.0, 'g', 6);
}

}  // namespace

std::optional<double> measurementIn(const QString& output) {
    const QString text = output.trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return numberArgument(text);
}

CommandMeter::CommandMeter(QString command, double timeoutSeconds)
    : command_(std::move(command)), timeoutMs_(static_cast<int>(std::lround(timeoutSeconds * 1000.0))) {
    previousInt = std::signal(SIGINT, endMeter);
    previousTerm = std::signal(SIGTERM, endMeter);
}

CommandMeter::~CommandMeter() {
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
}

int CommandMeter::stoppedBy() {
    return stopSignal.load();
}

double CommandMeter::measure(std::uint8_t value) {
    if (stoppedBy() != 0) {
        throwStopped();
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VCM7310_DCP"), dcp::byteToHex(value));
    process.setProcessEnvironment(environment);
    // Its own group, so that the shell and whatever it started are ended together; and the shell ends
    // with the tool even when the tool is killed outright.
    process.setChildProcessModifier([] {
        ::setpgid(0, 0);
#ifdef __linux__
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    });
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command_});
    if (!process.waitForStarted(-1)) {
        throw CommandFailure{
            kExitFailed, QStringLiteral("measure: cannot run the command (%1)").arg(process.errorString())};
    }
    const auto group = static_cast<pid_t>(process.processId());
    runningGroup.store(group);
    // A signal that came before the group was known could not end it; end it here.
    if (stoppedBy() != 0) {
        ::kill(-group, SIGKILL);
    }
    const bool finished = process.waitForFinished(timeoutMs_);
    runningGroup.store(0);
    if (stoppedBy() != 0) {
        process.waitForFinished(-1);
        throwStopped();
    }
    if (!finished) {
        ::kill(-group, SIGKILL);
        process.waitForFinished(-1);
        throw CommandFailure{kExitFailed,
                             QStringLiteral("measure: the command did not finish within %1 s and was ended "
                                            "(--meter-timeout)")
                                 .arg(secondsText(timeoutMs_))};
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        throw CommandFailure{kExitFailed, QStringLiteral("measure: the command crashed")};
    }
    if (process.exitCode() != 0) {
        throw CommandFailure{
            kExitFailed,
            QStringLiteral("measure: the command failed with exit code %1").arg(process.exitCode())};
    }
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    const std::optional<double> volts = measurementIn(output);
    if (!volts) {
        throw CommandFailure{kExitFailed, QStringLiteral("measure: the command printed no number (%1)")
                                              .arg(adapter::quotedArgument(output.trimmed()))};
    }
    return *volts;
}

}  // namespace vcm::cli
