#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace vcm::meter {

/// How the built-in meter reaches the instrument.
enum class MeterTransport {
    Tcp,     ///< `scpi:tcp:HOST[:PORT]`: a raw SCPI socket
    Usbtmc,  ///< `scpi:usbtmc:DEVICE`: the kernel's USBTMC character device
    Serial,  ///< `scpi:serial:DEVICE[:BAUD]`: a serial line, 8N1
};

/// A parsed `--meter` value. `host` and `port` belong to TCP, `device` to USBTMC and serial, `baud` to
/// serial; the others keep their defaults.
struct MeterAddress {
    MeterTransport transport = MeterTransport::Tcp;
    QString host;
    std::uint16_t port = 5025;
    QString device;
    std::int32_t baud = 9600;

    friend bool operator==(const MeterAddress&, const MeterAddress&) = default;
};

/// Reads a `--meter` value. An IPv6 host goes in brackets (`scpi:tcp:[::1]:5025`). A serial device path
/// may itself hold colons (the `/dev/serial/by-path/` names do): only a last field of letters and digits
/// is taken as the baud rate. On failure returns nothing and sets `problem` to a plain sentence that
/// says what was wrong and what is accepted.
std::optional<MeterAddress> parseMeterAddress(const QString& text, QString& problem);

/// The meter as messages and the log name it, with the defaults written out
/// ("scpi:tcp:192.0.2.10:5025", "scpi:serial:/dev/ttyUSB0:9600").
QString meterAddressText(const MeterAddress& address);

/// What is wrong with a `--meter-query` text, as a sentence; empty when it can be sent. A query is one
/// line of printable ASCII (a line break in it would send a second command the user never meant).
QString meterQueryProblem(const QString& query);

/// The value name of the `--meter` option for help texts.
QString meterAddressValueName();

}  // namespace vcm::meter
