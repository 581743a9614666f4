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

using Handler = void (*)(int);
Handler previousInt = SIG_DFL;
Handler previousTerm = SIG_DFL;

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
    previousInt = std::signal(SIGINT, onStopSignal);
    previousTerm = std::signal(SIGTERM, onStopSignal);
}

StopSignal::~StopSignal() {
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
}

int StopSignal::pending() {
    return stopSignal.load();
}

QString StopSignal::name(int signal) {
    switch (signal) {
        case SIGINT:
            return QStringLiteral("SIGINT");
        case SIGTERM:
            return QStringLiteral("SIGTERM");
        default:
            return QStringLiteral("signal %1").arg(signal);
    }
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
