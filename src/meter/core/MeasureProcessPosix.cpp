#include "meter/core/MeasureProcess.h"

#include "meter/core/StopSignal.h"

#include <QProcess>

#include <csignal>

#include <sys/types.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <unistd.h>

namespace vcm::meter {

MeasureRun runMeasureCommand(const QString& command, const QProcessEnvironment& environment, int timeoutMs) {
    MeasureRun run;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setProcessEnvironment(environment);
    // Its own group, so that the shell and whatever it started are ended together; and the shell ends
    // with the tool even when the tool is killed outright.
    process.setChildProcessModifier([] {
        ::setpgid(0, 0);
#ifdef __linux__
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    });
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    if (!process.waitForStarted(-1)) {
        run.problem = process.errorString();
        return run;
    }
    const auto group = static_cast<pid_t>(process.processId());
    StopSignal::setRunningTree(group);
    const bool finished = process.waitForFinished(timeoutMs);
    StopSignal::setRunningTree(0);
    if (StopSignal::pending() != 0) {
        process.waitForFinished(-1);
        run.end = MeasureRun::End::Stopped;
        return run;
    }
    if (!finished) {
        ::kill(-group, SIGKILL);
        process.waitForFinished(-1);
        run.end = MeasureRun::End::TimedOut;
        return run;
    }
    run.end =
        process.exitStatus() == QProcess::NormalExit ? MeasureRun::End::Finished : MeasureRun::End::Crashed;
    run.exitCode = process.exitCode();
    run.output = process.readAllStandardOutput();
    return run;
}

}  // namespace vcm::meter
