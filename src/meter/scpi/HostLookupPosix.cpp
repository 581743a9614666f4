#include "meter/scpi/HostLookup.h"

#include <QUrl>

#include <netdb.h>
#include <sys/socket.h>
#include <sys/types.h>

#include <cerrno>
#include <cstring>

namespace vcm::meter {

HostAddresses systemHostResolver(const QString& host) {
    // A name in another script goes to the resolver in its ASCII form, as Qt's own lookups send it.
    const QByteArray name = QUrl::toAce(host);
    if (name.isEmpty()) {
        return {{}, QStringLiteral("not a host name")};
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    const int status = ::getaddrinfo(name.constData(), nullptr, &hints, &list);
    if (status != 0) {
        const char* why = status == EAI_SYSTEM ? std::strerror(errno) : ::gai_strerror(status);
        return {{}, QString::fromLocal8Bit(why)};
    }
    HostAddresses found;
    for (const addrinfo* entry = list; entry != nullptr; entry = entry->ai_next) {
        const QHostAddress address(entry->ai_addr);
        if (!address.isNull() && !found.addresses.contains(address)) {
            found.addresses << address;
        }
    }
    ::freeaddrinfo(list);
    if (found.addresses.isEmpty()) {
        found.error = QStringLiteral("no address");
    }
    return found;
}

}  // namespace vcm::meter
