#include "meter/core/MeasureProcess.h"

#include "meter/core/StopSignal.h"

#include <QProcess>

#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

namespace vcm::meter {

namespace {

/// A job object that ends everything in it when its last handle closes: when the tool ends, however it
/// ends, the measure command and whatever it started end with it.
HANDLE makeJob() {
    HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    if (job != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    return job;
}

/// Lets the process, started suspended, run: its one thread is resumed.
void resume(DWORD processId) {
    HANDLE threads = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (threads == INVALID_HANDLE_VALUE) {
        return;
    }
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(threads, &entry); more; more = ::Thread32Next(threads, &entry)) {
        if (entry.th32OwnerProcessID != processId) {
            continue;
        }
        if (HANDLE thread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
            ::ResumeThread(thread);
            ::CloseHandle(thread);
        }
    }
    ::CloseHandle(threads);
}

}  // namespace

MeasureRun runMeasureCommand(const QString& command, const QProcessEnvironment& environment, int timeoutMs) {
    MeasureRun run;
    HANDLE job = makeJob();
    if (job == nullptr) {
        run.problem = qt_error_string(static_cast<int>(::GetLastError()));
        return run;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setProcessEnvironment(environment);
    // cmd.exe takes the command as typed: /s /c "..." drops only the outer quotes, so quotes inside it
    // (a path with spaces) stay as the user wrote them.
    process.setProgram(QStringLiteral("cmd.exe"));
    process.setNativeArguments(QStringLiteral("/d /s /c \"%1\"").arg(command));
    // Started suspended, so that it is in the job before it can start anything that would escape it.
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments* arguments) { arguments->flags |= CREATE_SUSPENDED; });
    process.start();
    if (!process.waitForStarted(-1)) {
        run.problem = process.errorString();
        ::CloseHandle(job);
        return run;
    }
    const auto processId = static_cast<DWORD>(process.processId());
    if (HANDLE handle = ::OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, processId)) {
        ::AssignProcessToJobObject(job, handle);
        ::CloseHandle(handle);
    }
    resume(processId);
    StopSignal::setRunningTree(reinterpret_cast<std::intptr_t>(job));
    const bool finished = process.waitForFinished(timeoutMs);
    StopSignal::setRunningTree(0);
    if (StopSignal::pending() != 0) {
        process.waitForFinished(-1);
        ::CloseHandle(job);
        run.end = MeasureRun::End::Stopped;
        return run;
    }
    if (!finished) {
        ::TerminateJobObject(job, 1);
        process.waitForFinished(-1);
        ::CloseHandle(job);
        run.end = MeasureRun::End::TimedOut;
        return run;
    }
    // Closing the job ends what the command started and left running: nothing outlives the reading.
    ::CloseHandle(job);
    run.end =
        process.exitStatus() == QProcess::NormalExit ? MeasureRun::End::Finished : MeasureRun::End::Crashed;
    run.exitCode = process.exitCode();
    run.output = process.readAllStandardOutput();
    return run;
}

}  // namespace vcm::meter
