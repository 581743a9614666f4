#include "meter/scpi/HostLookup.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace vcm::meter {

HostAddresses systemHostResolver(const QString& host) {
    // Winsock counts its users; this thread is one for as long as it looks the name up.
    WSADATA data{};
    if (const int status = ::WSAStartup(MAKEWORD(2, 2), &data); status != 0) {
        return {{}, qt_error_string(status)};
    }
    ADDRINFOW hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    ADDRINFOW* list = nullptr;
    const std::wstring name = host.toStdWString();
    const int status = ::GetAddrInfoW(name.c_str(), nullptr, &hints, &list);
    HostAddresses found;
    if (status != 0) {
        found.error = qt_error_string(status);
    } else {
        for (const ADDRINFOW* entry = list; entry != nullptr; entry = entry->ai_next) {
            const QHostAddress address(entry->ai_addr);
            if (!address.isNull() && !found.addresses.contains(address)) {
                found.addresses << address;
            }
        }
        ::FreeAddrInfoW(list);
        if (found.addresses.isEmpty()) {
            found.error = QStringLiteral("no address");
        }
    }
    ::WSACleanup();
    return found;
}

}  // namespace vcm::meter
