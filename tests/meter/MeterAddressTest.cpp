#include "QtPrinters.h"
#include "meter/core/MeterAddress.h"

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

meter::MeterAddress tcp(const char* host, std::uint16_t port) {
    meter::MeterAddress address;
    address.transport = meter::MeterTransport::Tcp;
    address.host = QString::fromUtf8(host);
    address.port = port;
    return address;
}

meter::MeterAddress device(meter::MeterTransport transport, const char* path, std::int32_t baud = 9600) {
    meter::MeterAddress address;
    address.transport = transport;
    address.device = QString::fromUtf8(path);
    address.baud = baud;
    return address;
}

TEST(MeterAddress, ReadsEachTransportWithItsDefaults) {
    struct Case {
        const char* text;
        meter::MeterAddress address;
        const char* shown;
    };
    const Case cases[] = {
        {"scpi:tcp:192.0.2.10", tcp("192.0.2.10", 5025), "scpi:tcp:192.0.2.10:5025"},
        {"scpi:tcp:dmm.lab:5555", tcp("dmm.lab", 5555), "scpi:tcp:dmm.lab:5555"},
        {"scpi:tcp:127.0.0.1:1", tcp("127.0.0.1", 1), "scpi:tcp:127.0.0.1:1"},
        {"scpi:tcp:[::1]", tcp("::1", 5025), "scpi:tcp:[::1]:5025"},
        {"scpi:tcp:[2001:db8::7]:65535", tcp("2001:db8::7", 65535), "scpi:tcp:[2001:db8::7]:65535"},
        {"scpi:usbtmc:/dev/usbtmc0", device(meter::MeterTransport::Usbtmc, "/dev/usbtmc0"),
         "scpi:usbtmc:/dev/usbtmc0"},
        {"scpi:serial:/dev/ttyUSB0", device(meter::MeterTransport::Serial, "/dev/ttyUSB0"),
         "scpi:serial:/dev/ttyUSB0:9600"},
        {"scpi:serial:/dev/ttyUSB0:115200", device(meter::MeterTransport::Serial, "/dev/ttyUSB0", 115200),
         "scpi:serial:/dev/ttyUSB0:115200"},
        // The kernel's by-path names hold colons of their own; only a last field of letters and digits is a
        // baud rate.
        {"scpi:serial:/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0",
         device(meter::MeterTransport::Serial, "/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0"),
         "scpi:serial:/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0:9600"},
        {"scpi:serial:/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0:19200",
         device(meter::MeterTransport::Serial, "/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0",
                19200),
         "scpi:serial:/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0:19200"},
    };
    for (const Case& c : cases) {
        QString problem;
        const std::optional<meter::MeterAddress> address =
            meter::parseMeterAddress(QString::fromUtf8(c.text), problem);
        ASSERT_TRUE(address) << c.text << ": " << problem.toStdString();
        EXPECT_EQ(*address, c.address) << c.text;
        EXPECT_EQ(meter::meterAddressText(*address), QString::fromUtf8(c.shown));
    }
}

TEST(MeterAddress, RefusesWhatItCannotReachWithASentence) {
    struct Case {
        QString text;
        const char* problem;
    };
    const Case cases[] = {
        {"", "Unknown meter '' (use scpi:tcp:HOST[:PORT]|scpi:usbtmc:DEVICE|scpi:serial:DEVICE[:BAUD])."},
        {"tcp:192.0.2.10",
         "Unknown meter 'tcp:192.0.2.10' (use "
         "scpi:tcp:HOST[:PORT]|scpi:usbtmc:DEVICE|scpi:serial:DEVICE[:BAUD])."},
        {"scpi:gpib:22", "Unknown meter connection 'gpib' (use scpi:tcp, scpi:usbtmc or scpi:serial)."},
        {"scpi:tcp", "Give the meter's host after 'scpi:tcp:' (scpi:tcp:HOST[:PORT])."},
        {"scpi:tcp::5025", "Give the meter's host after 'scpi:tcp:' (scpi:tcp:HOST[:PORT])."},
        {"scpi:tcp:[]:5025", "Give the meter's host after 'scpi:tcp:' (scpi:tcp:HOST[:PORT])."},
        {"scpi:tcp:dmm lab", "The meter's host 'dmm lab' holds blanks or control characters."},
        {"scpi:tcp:192.0.2.10:", "The meter's port '' is not a number from 1 to 65535."},
        {"scpi:tcp:192.0.2.10:0", "The meter's port '0' is not a number from 1 to 65535."},
        {"scpi:tcp:192.0.2.10:65536", "The meter's port '65536' is not a number from 1 to 65535."},
        {"scpi:tcp:192.0.2.10:+80", "The meter's port '+80' is not a number from 1 to 65535."},
        {"scpi:tcp:192.0.2.10:http", "The meter's port 'http' is not a number from 1 to 65535."},
        {"scpi:tcp:2001:db8::7",
         "The meter's port 'db8::7' is not a number from 1 to 65535 (an IPv6 address goes in brackets: "
         "scpi:tcp:[::1]:5025)."},
        {"scpi:tcp:[::1", "The meter's host '[::1' lacks its closing ']'."},
        {"scpi:tcp:[::1]5025", "Write the meter's port after the host as ':PORT', not '5025'."},
        {"scpi:usbtmc:", "Give the meter's device after 'scpi:usbtmc:' (for example /dev/usbtmc0)."},
        {"scpi:usbtmc: /dev/usbtmc0",
         "The meter's device ' /dev/usbtmc0' starts or ends with a blank or holds control characters."},
        {"scpi:serial:", "Give the meter's device after 'scpi:serial:' (for example /dev/ttyUSB0)."},
        {"scpi:serial::9600", "Give the meter's device after 'scpi:serial:' (for example /dev/ttyUSB0)."},
        {"scpi:serial:/dev/ttyUSB0:", "The meter's baud rate '' is not a number from 50 to 4000000."},
        {"scpi:serial:/dev/ttyUSB0:0", "The meter's baud rate '0' is not a number from 50 to 4000000."},
        {"scpi:serial:/dev/ttyUSB0:9600N1",
         "The meter's baud rate '9600N1' is not a number from 50 to 4000000."},
        {"scpi:serial:/dev/ttyUSB0:4000001",
         "The meter's baud rate '4000001' is not a number from 50 to 4000000."},
        // What the user typed is shown shortened and with its control characters escaped.
        {"scpi:tcp:192.0.2.10:5025\n--program",
         "The meter's port '5025\\n--program' is not a number from 1 to 65535."},
        {QStringLiteral("x").repeated(50) + u'\t',
         "Unknown meter 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...' (use "
         "scpi:tcp:HOST[:PORT]|scpi:usbtmc:DEVICE|scpi:serial:DEVICE[:BAUD])."},
    };
    for (const Case& c : cases) {
        QString problem;
        EXPECT_FALSE(meter::parseMeterAddress(c.text, problem)) << c.text.toStdString();
        EXPECT_EQ(problem, QString::fromUtf8(c.problem)) << c.text.toStdString();
    }
}

TEST(MeterAddress, AQueryIsOneLineOfPrintableAscii) {
    EXPECT_EQ(meter::meterQueryProblem(QStringLiteral("MEAS:VOLT:DC? 10,0.001")), QString());
    EXPECT_EQ(meter::meterQueryProblem(QStringLiteral(" ")),
              QStringLiteral("Give the meter's query (for example READ? or MEAS:VOLT:DC?)."));
    EXPECT_EQ(meter::meterQueryProblem(QStringLiteral("READ?\n*RST")),
              QStringLiteral("The meter's query 'READ?\\n*RST' is not one line of printable ASCII."));
    EXPECT_EQ(meter::meterQueryProblem(QStringLiteral("READ?\u00B5")),
              QStringLiteral("The meter's query 'READ?\u00B5' is not one line of printable ASCII."));
}

}  // namespace
}  // namespace vcm::test
