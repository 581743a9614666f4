#include "meter/core/StopSignal.h"

#include <atomic>
#include <csignal>
#include <cstdio>

#include <windows.h>

namespace vcm::meter {

namespace {

/// The job object of the measure command running now, or 0: the handler ends it.
std::atomic<std::intptr_t> runningJob{0};
/// The signal that asked the tool to stop, or 0.
std::atomic<int> stopSignal{0};

void endRunningJob() {
    if (const std::intptr_t job = runningJob.load(); job != 0) {
        ::TerminateJobObject(reinterpret_cast<HANDLE>(job), 1);
    }
}

/// Windows calls this on a thread of its own. Ctrl+C is the tool's SIGINT; Ctrl+Break and the console
/// closing (or the user logging off) are its SIGTERM, as a service manager's stop is on Linux.
BOOL WINAPI onConsoleControl(DWORD event) {
    const int signal = event == CTRL_C_EVENT ? SIGINT : SIGTERM;
    endRunningJob();
    if (stopSignal.exchange(signal) != 0) {
        // Asked a second time: end now, as the signal would have.
        ::ExitProcess(static_cast<UINT>(128 + signal));
    }
    // Handled: the tool finishes what keeps its record whole, then ends by endBy(). A closing console
    // gives a handler a few seconds before it ends the process anyway.
    return TRUE;
}

}  // namespace

StopSignal::StopSignal() {
    ::SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

StopSignal::~StopSignal() {
    ::SetConsoleCtrlHandler(onConsoleControl, FALSE);
}

int StopSignal::pending() {
    return stopSignal.load();
}

void StopSignal::endBy(int signal) {
    // Windows has no signal statuses: the exit code says it as the tool documents (128 + N).
    std::fflush(nullptr);
    ::ExitProcess(static_cast<UINT>(128 + signal));
}

void StopSignal::setRunningTree(std::intptr_t tree) {
    runningJob.store(tree);
    // A stop that came before the job was known could not end it; end it here.
    if (tree != 0 && stopSignal.load() != 0) {
        endRunningJob();
    }
}

}  // namespace vcm::meter
