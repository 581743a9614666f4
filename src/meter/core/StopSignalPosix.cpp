#include "meter/core/StopSignal.h"

#include <atomic>
#include <csignal>

#include <sys/types.h>
#include <unistd.h>

namespace vcm::meter {

namespace {

/// The process group of the measure command running now, or 0: the handler ends it.
std::atomic<pid_t> runningGroup{0};
/// The signal that asked the tool to stop, or 0.
std::atomic<int> stopSignal{0};

struct sigaction previousInt {};
struct sigaction previousTerm {};
struct sigaction previousPipe {};

extern "C" void onStopSignal(int signal) {
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

}  // namespace

StopSignal::StopSignal() {
    // Without SA_RESTART: a wait for the next board id on stdin ends at the signal instead of going on.
    struct sigaction stop {};
    stop.sa_handler = onStopSignal;
    sigemptyset(&stop.sa_mask);
    ::sigaction(SIGINT, &stop, &previousInt);
    ::sigaction(SIGTERM, &stop, &previousTerm);
    // A reader of the output that went away (`| head -1`) is no stop: the board is finished and logged,
    // and the writes to the closed pipe fail unseen.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, &previousPipe);
}

StopSignal::~StopSignal() {
    ::sigaction(SIGINT, &previousInt, nullptr);
    ::sigaction(SIGTERM, &previousTerm, nullptr);
    ::sigaction(SIGPIPE, &previousPipe, nullptr);
}

int StopSignal::pending() {
    return stopSignal.load();
}

void StopSignal::endBy(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    // A signal that is blocked or ignored from outside does not end the tool; its exit status still says.
    ::_exit(128 + signal);
}

void StopSignal::setRunningTree(std::intptr_t tree) {
    const auto group = static_cast<pid_t>(tree);
    runningGroup.store(group);
    // A stop that came before the group was known could not end it; end it here.
    if (group > 0 && stopSignal.load() != 0) {
        ::kill(-group, SIGKILL);
    }
}

}  // namespace vcm::meter
