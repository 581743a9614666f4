#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>

namespace vcm::meter {

/// How one run of a measure command ended.
struct MeasureRun {
    enum class End {
        Finished,    ///< it exited by itself, with `exitCode`
        Crashed,     ///< it died of a signal or an exception
        TimedOut,    ///< it ran past the timeout, and was ended with everything it started
        Stopped,     ///< a stop signal came while it ran (see StopSignal), and it was ended likewise
        NotStarted,  ///< it could not be started: `problem` says why
    };
    End end = End::NotStarted;
    int exitCode = 0;
    QByteArray output;  ///< what it printed on stdout
    QString problem;
};

/// Runs `command` with the platform's shell (POSIX: /bin/sh -c; Windows: cmd.exe /c) and `environment`,
/// its stdout read and its stderr going to ours. The command and whatever it starts form one tree (a
/// process group, a job object) that is ended as a whole when it runs past `timeoutMs` or a stop comes,
/// and that does not outlive the tool.
MeasureRun runMeasureCommand(const QString& command, const QProcessEnvironment& environment, int timeoutMs);

}  // namespace vcm::meter
