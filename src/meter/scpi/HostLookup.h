#pragma once

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QList>
#include <QString>

#include <functional>

namespace vcm::meter {

/// A host name's addresses, or why there are none.
struct HostAddresses {
    QList<QHostAddress> addresses;
    QString error;  ///< the resolver's reason when there are no addresses ("Name or service not known")
};

/// Looks a host name up, blocking for as long as that takes.
using HostResolver = std::function<HostAddresses(const QString& host)>;

/// The system's resolver, for a stream socket's addresses (HostLookupPosix.cpp, HostLookupWindows.cpp).
HostAddresses systemHostResolver(const QString& host);

/// `host`'s addresses as `resolve` finds them, by the deadline. The lookup runs on a thread of its own that
/// nobody waits for: a system resolver cannot be interrupted, and one whose server does not answer would
/// otherwise hold the program up by its own timeouts, here or when the program ends. A thread left behind
/// ends with its lookup, or with the process. Throws a LinkFailure: TimedOut, or Failed with
/// "cannot find the host HOST (why)".
QList<QHostAddress> lookUpHost(const QString& host, QDeadlineTimer deadline, HostResolver resolve);

}  // namespace vcm::meter
