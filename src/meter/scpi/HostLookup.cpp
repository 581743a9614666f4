#include "meter/scpi/HostLookup.h"

#include "meter/scpi/LineTransport.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace vcm::meter {

namespace {

// The lookup's answer, shared with its thread, which may outlive the wait for it.
struct PendingLookup {
    std::mutex mutex;
    std::condition_variable answered;
    std::optional<HostAddresses> found;
};

}  // namespace

QList<QHostAddress> lookUpHost(const QString& host, QDeadlineTimer deadline, HostResolver resolve) {
    auto pending = std::make_shared<PendingLookup>();
    try {
        std::thread([pending, host, resolve = std::move(resolve)] {
            HostAddresses found = resolve(host);
            const std::lock_guard lock(pending->mutex);
            pending->found = std::move(found);
            pending->answered.notify_all();
        }).detach();
    } catch (const std::system_error& error) {
        throw LinkFailure{LinkFailure::Kind::Failed, QStringLiteral("cannot look up the host %1 (%2)")
                                                         .arg(host, QString::fromLocal8Bit(error.what()))};
    }
    std::unique_lock lock(pending->mutex);
    if (!pending->answered.wait_for(lock, std::chrono::milliseconds(remainingMilliseconds(deadline)),
                                    [&pending] { return pending->found.has_value(); })) {
        throw LinkFailure{LinkFailure::Kind::TimedOut, {}};
    }
    if (pending->found->addresses.isEmpty()) {
        throw LinkFailure{LinkFailure::Kind::Failed,
                          QStringLiteral("cannot find the host %1 (%2)").arg(host, pending->found->error)};
    }
    return pending->found->addresses;
}

}  // namespace vcm::meter
