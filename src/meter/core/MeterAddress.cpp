#include "meter/core/MeterAddress.h"

#include "adapter/core/ArgumentText.h"

namespace vcm::meter {

namespace {

const QString kScpiPrefix = QStringLiteral("scpi:");

bool allDigits(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

bool allLettersAndDigits(const QString& text) {
    for (const QChar c : text) {
        if (!(c >= u'0' && c <= u'9') && !(c >= u'a' && c <= u'z') && !(c >= u'A' && c <= u'Z')) {
            return false;
        }
    }
    return true;
}

bool hasBlankOrControl(const QString& text) {
    for (const QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Other_Control) {
            return true;
        }
    }
    return false;
}

// A decimal number in [low, high], digits only (no sign, no blanks); nothing otherwise.
std::optional<std::int64_t> wholeNumberIn(const QString& text, std::int64_t low, std::int64_t high) {
    if (!allDigits(text) || text.size() > 9) {
        return std::nullopt;
    }
    const std::int64_t value = text.toLongLong();
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

bool readHostAndPort(const QString& body, MeterAddress& address, QString& problem) {
    QString host;
    std::optional<QString> port;
    if (body.startsWith(u'[')) {
        const qsizetype close = body.indexOf(u']');
        if (close < 0) {
            problem = QStringLiteral("The meter's host %1 lacks its closing ']'.")
                          .arg(adapter::quotedArgument(body));
            return false;
        }
        host = body.mid(1, close - 1);
        const QString after = body.mid(close + 1);
        if (!after.isEmpty()) {
            if (!after.startsWith(u':')) {
                problem = QStringLiteral("Write the meter's port after the host as ':PORT', not %1.")
                              .arg(adapter::quotedArgument(after));
                return false;
            }
            port = after.mid(1);
        }
    } else {
        const qsizetype colon = body.indexOf(u':');
        host = colon < 0 ? body : body.left(colon);
        if (colon >= 0) {
            port = body.mid(colon + 1);
        }
    }
    if (host.isEmpty()) {
        problem = QStringLiteral("Give the meter's host after 'scpi:tcp:' (scpi:tcp:HOST[:PORT]).");
        return false;
    }
    if (hasBlankOrControl(host)) {
        problem = QStringLiteral("The meter's host %1 holds blanks or control characters.")
                      .arg(adapter::quotedArgument(host));
        return false;
    }
    address.host = host;
    if (port) {
        const std::optional<std::int64_t> number = wholeNumberIn(*port, 1, 65535);
        if (!number) {
            problem = QStringLiteral("The meter's port %1 is not a number from 1 to 65535")
                          .arg(adapter::quotedArgument(*port));
            problem += port->contains(u':') ? QStringLiteral(
                                                  " (an IPv6 address goes in brackets: "
                                                  "scpi:tcp:[::1]:5025).")
                                            : QStringLiteral(".");
            return false;
        }
        address.port = static_cast<std::uint16_t>(*number);
    }
    return true;
}

bool readDevice(const QString& device, const QString& transport, MeterAddress& address, QString& problem) {
    if (device.isEmpty()) {
        problem = QStringLiteral("Give the meter's device after 'scpi:%1:' (for example %2).")
                      .arg(transport, transport == QStringLiteral("usbtmc") ? QStringLiteral("/dev/usbtmc0")
                                                                            : QStringLiteral("/dev/ttyUSB0"));
        return false;
    }
    bool control = false;
    for (const QChar c : device) {
        control = control || c.category() == QChar::Other_Control;
    }
    if (control || device.trimmed() != device) {
        problem = QStringLiteral(
                      "The meter's device %1 starts or ends with a blank or holds control "
                      "characters.")
                      .arg(adapter::quotedArgument(device));
        return false;
    }
    address.device = device;
    return true;
}

bool readSerial(const QString& body, MeterAddress& address, QString& problem) {
    const qsizetype colon = body.lastIndexOf(u':');
    QString device = body;
    if (colon >= 0 && allLettersAndDigits(body.mid(colon + 1))) {
        const QString baud = body.mid(colon + 1);
        device = body.left(colon);
        const std::optional<std::int64_t> number = wholeNumberIn(baud, 50, 4000000);
        if (!number) {
            problem = QStringLiteral("The meter's baud rate %1 is not a number from 50 to 4000000.")
                          .arg(adapter::quotedArgument(baud));
            return false;
        }
        address.baud = static_cast<std::int32_t>(*number);
    }
    return readDevice(device, QStringLiteral("serial"), address, problem);
}

}  // namespace

std::optional<MeterAddress> parseMeterAddress(const QString& text, QString& problem) {
    if (!text.startsWith(kScpiPrefix)) {
        problem = QStringLiteral("Unknown meter %1 (use %2).")
                      .arg(adapter::quotedArgument(text), meterAddressValueName());
        return std::nullopt;
    }
    const QString rest = text.mid(kScpiPrefix.size());
    const qsizetype colon = rest.indexOf(u':');
    const QString transport = colon < 0 ? rest : rest.left(colon);
    const QString body = colon < 0 ? QString() : rest.mid(colon + 1);
    MeterAddress address;
    bool ok = false;
    if (transport == QStringLiteral("tcp")) {
        address.transport = MeterTransport::Tcp;
        ok = readHostAndPort(body, address, problem);
    } else if (transport == QStringLiteral("usbtmc")) {
        address.transport = MeterTransport::Usbtmc;
        ok = readDevice(body, transport, address, problem);
    } else if (transport == QStringLiteral("serial")) {
        address.transport = MeterTransport::Serial;
        ok = readSerial(body, address, problem);
    } else {
        problem = QStringLiteral("Unknown meter connection %1 (use scpi:tcp, scpi:usbtmc or scpi:serial).")
                      .arg(adapter::quotedArgument(transport));
    }
    if (!ok) {
        return std::nullopt;
    }
    return address;
}

QString meterAddressText(const MeterAddress& address) {
    switch (address.transport) {
        case MeterTransport::Tcp: {
            const QString host = address.host.contains(u':') ? u'[' + address.host + u']' : address.host;
            return QStringLiteral("scpi:tcp:%1:%2").arg(host).arg(address.port);
        }
        case MeterTransport::Usbtmc:
            return QStringLiteral("scpi:usbtmc:%1").arg(address.device);
        case MeterTransport::Serial:
            return QStringLiteral("scpi:serial:%1:%2").arg(address.device).arg(address.baud);
    }
    return {};
}

QString meterQueryProblem(const QString& query) {
    if (query.trimmed().isEmpty()) {
        return QStringLiteral("Give the meter's query (for example READ? or MEAS:VOLT:DC?).");
    }
    for (const QChar c : query) {
        if (c < u' ' || c > u'~') {
            return QStringLiteral("The meter's query %1 is not one line of printable ASCII.")
                .arg(adapter::quotedArgument(query));
        }
    }
    return {};
}

QString meterAddressValueName() {
    return QStringLiteral("scpi:tcp:HOST[:PORT]|scpi:usbtmc:DEVICE|scpi:serial:DEVICE[:BAUD]");
}

}  // namespace vcm::meter
