#include "FakeScpiInstrument.h"
#include "QtPrinters.h"
#include "adapter/sim/SimulatedBoardFile.h"
#include "adapter/sim/SimulatedVcom.h"
#include "meter/core/MeterFailure.h"
#include "meter/scpi/ScpiMeter.h"
#include "meter/scpi/ScpiMeterFactory.h"
#include "meter/scpi/TcpTransport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <atomic>
#include <future>

namespace vcm::test {
namespace {

const QStringList kConnectSequence = {"*IDN?", "*CLS", "CONF:VOLT:DC", "SYST:ERR?"};

meter::MeterOptions optionsFor(const QString& address, double timeoutSeconds = 2.0) {
    meter::MeterOptions options;
    options.address = address;
    options.timeoutSeconds = timeoutSeconds;
    return options;
}

QString tcpAddress(quint16 port) {
    return QStringLiteral("scpi:tcp:127.0.0.1:%1").arg(port);
}

// The fake instrument's address on a transport: its TCP port, or its pseudo-terminal as a serial line or
// a USBTMC node.
QString addressOn(FakeScpiInstrument& instrument, const QString& transport) {
    if (transport == QStringLiteral("tcp")) {
        return tcpAddress(instrument.listenTcp());
    }
    const QString device = instrument.openPty();
    return transport == QStringLiteral("serial") ? QStringLiteral("scpi:serial:%1:9600").arg(device)
                                                 : QStringLiteral("scpi:usbtmc:%1").arg(device);
}

// The most this process has held so far, in KiB.
long peakKilobytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The message a MeterFailure carries, or a note that none was thrown.
template <typename F>
QString failureOf(F&& work) {
    try {
        work();
    } catch (const meter::MeterFailure& failure) {
        return failure.message;
    }
    return QStringLiteral("(no failure)");
}

TEST(ScpiMeter, IdentifiesConfiguresAndReadsOverTcp) {
    std::atomic<double> volts = 4.01234567;
    FakeScpiInstrument instrument(FakeScpiMode::Normal, [&] { return volts.load(); });
    const quint16 port = instrument.listenTcp();
    ASSERT_NE(port, 0);
    meter::MeterOptions options = optionsFor(tcpAddress(port));
    options.trace = true;
    QStringList trace;
    const std::unique_ptr<meter::Meter> meter =
        meter::makeTracedScpiMeter(options, [&trace](const QString& line) { trace << line; });

    EXPECT_EQ(meter->identity(), QString::fromLatin1(FakeScpiProtocol::identification()));
    EXPECT_EQ(meter->description(), tcpAddress(port));
    EXPECT_EQ(instrument.received(), kConnectSequence);
    EXPECT_DOUBLE_EQ(meter->measure(0x73), 4.01234567);
    volts = 2.9;
    EXPECT_DOUBLE_EQ(meter->measure(0xFF), 2.9);
    EXPECT_EQ(instrument.received(), kConnectSequence + QStringList({"READ?", "READ?"}));
    EXPECT_EQ(trace, (QStringList{"meter: *IDN? -> 'VCM Test Instruments,FAKE-DMM 1,0001,1.0'", "meter: *CLS",
                                  "meter: CONF:VOLT:DC", "meter: SYST:ERR? -> '+0,\"No error\"'",
                                  "meter: READ? -> '+4.01234567E+00'", "meter: READ? -> '+2.90000000E+00'"}));
}

// A name is looked up (here in the hosts file) and its addresses tried until one connects.
TEST(ScpiMeter, FindsANetworkMeterByName) {
    FakeScpiInstrument instrument(FakeScpiMode::Normal, [] { return 4.25; });
    const QString address = QStringLiteral("scpi:tcp:localhost:%1").arg(instrument.listenTcp());
    const std::unique_ptr<meter::Meter> meter = meter::makeScpiMeter(optionsFor(address));
    EXPECT_EQ(meter->description(), address);
    EXPECT_DOUBLE_EQ(meter->measure(0x70), 4.25);
}

TEST(ScpiMeter, MeasuresWithTheQueryGivenInstead) {
    FakeScpiInstrument instrument(FakeScpiMode::Normal, [] { return 3.5; });
    meter::MeterOptions options = optionsFor(tcpAddress(instrument.listenTcp()));
    options.query = QStringLiteral("MEAS:VOLT:DC?");
    QStringList trace;
    const std::unique_ptr<meter::Meter> meter =
        meter::makeTracedScpiMeter(options, [&trace](const QString& line) { trace << line; });
    EXPECT_DOUBLE_EQ(meter->measure(0x80), 3.5);
    EXPECT_EQ(instrument.received(), kConnectSequence + QStringList{"MEAS:VOLT:DC?"});
    EXPECT_TRUE(trace.isEmpty()) << "traced without --trace";
}

// Each way a meter lets the trim down ends it with one line that names the meter and what it answered.
TEST(ScpiMeter, AMeterThatFailsEndsTheMeasurementWithItsAnswer) {
    struct Case {
        FakeScpiMode mode;
        bool failsAtConnect;
        const char* message;  // after "meter scpi:tcp:127.0.0.1:PORT: "
        QStringList received;
    };
    const Case cases[] = {
        {FakeScpiMode::StopsAnswering, false, "no answer to READ? within 0.3 s", {"READ?"}},
        {FakeScpiMode::AnswersJunk,
         false,
         "READ? answered '+4.0 VDC\\x07', not a number in volts",
         {"READ?", "SYST:ERR?"}},
        {FakeScpiMode::ReadingError,
         false,
         "READ? answered '+9.90000000E+37', the overload value (out of range); SYST:ERR? answered "
         "'-222,\"Data out of "
         "range\"'",
         {"READ?", "SYST:ERR?"}},
        {FakeScpiMode::Closes,
         false,
         "the connection was closed while waiting for the answer to READ?",
         {"READ?"}},
        {FakeScpiMode::RefusesConfig,
         true,
         "CONF:VOLT:DC was refused: SYST:ERR? answered '-221,\"Settings conflict\"'",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        FakeScpiInstrument instrument(c.mode, [] { return 4.0; });
        const QString address = tcpAddress(instrument.listenTcp());
        const QString expected = QStringLiteral("meter %1: %2").arg(address, QString::fromUtf8(c.message));
        QElapsedTimer clock;
        clock.start();
        const QString failure = failureOf([&] {
            const std::unique_ptr<meter::Meter> meter = meter::makeScpiMeter(optionsFor(address, 0.3));
            ASSERT_FALSE(c.failsAtConnect) << "connected";
            meter->measure(0x73);
        });
        EXPECT_EQ(failure, expected);
        EXPECT_EQ(instrument.received(), kConnectSequence + c.received);
        if (c.mode == FakeScpiMode::StopsAnswering) {
            EXPECT_GE(clock.elapsed(), 300);
            EXPECT_LT(clock.elapsed(), 2500);
        }
    }
}

TEST(ScpiMeter, ANetworkMeterThatIsNotThereFailsAtConnect) {
    quint16 port = 0;
    {
        // A port that was free a moment ago, with nothing listening on it now.
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    const QString failure = failureOf([&] { meter::makeScpiMeter(optionsFor(tcpAddress(port))); });
    EXPECT_EQ(failure, QStringLiteral("meter %1: cannot connect (Connection refused)").arg(tcpAddress(port)));
}

TEST(ScpiMeter, AnAddressThatDoesNotParseIsRefusedBeforeAnythingIsOpened) {
    const QString failure = failureOf([] { meter::makeScpiMeter(optionsFor(QStringLiteral("scpi:tcp:"))); });
    EXPECT_EQ(failure, QStringLiteral("Give the meter's host after 'scpi:tcp:' (scpi:tcp:HOST[:PORT])."));
}

// The serial meter on the slave side of a pseudo-terminal; this one ends its replies with CR LF.
TEST(ScpiMeter, ReadsOverASerialLine) {
    FakeScpiInstrument instrument(
        FakeScpiMode::Normal, [] { return 3.8958; }, "\r\n");
    const QString path = instrument.openPty();
    ASSERT_FALSE(path.isEmpty());
    const QString address = QStringLiteral("scpi:serial:%1:115200").arg(path);
    const std::unique_ptr<meter::Meter> meter = meter::makeScpiMeter(optionsFor(address));
    EXPECT_EQ(meter->description(), address);
    EXPECT_EQ(meter->identity(), QString::fromLatin1(FakeScpiProtocol::identification()));
    EXPECT_DOUBLE_EQ(meter->measure(0x80), 3.8958);
    EXPECT_EQ(instrument.received(), kConnectSequence + QStringList{"READ?"});
}

// A meter on a pseudo-terminal, as a serial line (CR LF replies) or a USBTMC node stands there.
TEST(ScpiMeter, AMeterOnADeviceNodeThatStopsAnsweringOrGoesAwayFails) {
    struct Case {
        const char* transport;
        const char* lineEnd;
        FakeScpiMode mode;
        const char* message;
    };
    const Case cases[] = {
        {"serial", "\r\n", FakeScpiMode::StopsAnswering, "no answer to READ? within 0.3 s"},
        {"serial", "\r\n", FakeScpiMode::Closes,
         "the device went away while waiting for the answer to READ?"},
#ifdef VCM_HAVE_USBTMC
        {"usbtmc", "\n", FakeScpiMode::StopsAnswering, "no answer to READ? within 0.3 s"},
        {"usbtmc", "\n", FakeScpiMode::Closes, "the device went away while waiting for the answer to READ?"},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.transport) + ": " + c.message);
        FakeScpiInstrument instrument(
            c.mode, [] { return 4.0; }, c.lineEnd);
        const QString address = addressOn(instrument, QString::fromLatin1(c.transport));
        const std::unique_ptr<meter::Meter> meter = meter::makeScpiMeter(optionsFor(address, 0.3));
        const QString failure = failureOf([&] { meter->measure(0x73); });
        EXPECT_EQ(failure, QStringLiteral("meter %1: %2").arg(address, QString::fromUtf8(c.message)));
    }
}

// A meter whose reply never ends its line: one that floods is refused as soon as it has sent more than a
// reply may hold, far less than it sends; one that trickles is given up at the timeout. Either way the
// call ends by the timeout and holds little.
TEST(ScpiMeter, AReplyThatNeverEndsItsLineEndsTheCallInTimeAndHoldsLittle) {
    const char* const flooded = "READ? answered more than 65536 bytes without a line end";
    const char* const trickled = "no answer to READ? within 1 s";
    struct Case {
        const char* transport;
        FakeScpiMode mode;
        const char* message;
    };
    const Case cases[] = {
        {"tcp", FakeScpiMode::Floods, flooded},    {"tcp", FakeScpiMode::Trickles, trickled},
        {"serial", FakeScpiMode::Floods, flooded}, {"serial", FakeScpiMode::Trickles, trickled},
#ifdef VCM_HAVE_USBTMC
        {"usbtmc", FakeScpiMode::Floods, flooded}, {"usbtmc", FakeScpiMode::Trickles, trickled},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.transport) + ": " + c.message);
        FakeScpiInstrument instrument(c.mode, [] { return 4.0; });
        const QString address = addressOn(instrument, QString::fromLatin1(c.transport));
        const std::unique_ptr<meter::Meter> meter = meter::makeScpiMeter(optionsFor(address, 1.0));
        const long peakBefore = peakKilobytes();
        QElapsedTimer clock;
        clock.start();
        const QString failure = failureOf([&] { meter->measure(0x73); });
        EXPECT_LT(clock.elapsed(), 3000);
        EXPECT_EQ(failure, QStringLiteral("meter %1: %2").arg(address, QString::fromUtf8(c.message)));
        EXPECT_LT(peakKilobytes() - peakBefore, 16 * 1024);
    }
}

// A name whose lookup never comes back fails the connect at the timeout; the lookup, left running, may
// answer later, when nobody waits for it any more.
TEST(ScpiMeter, AMeterWhoseNameIsNotFoundInTimeFailsAtTheTimeout) {
    auto release = std::make_shared<std::promise<void>>();
    auto returned = std::make_shared<std::promise<void>>();
    const meter::HostResolver hangs = [released = release->get_future().share(), returned](const QString&) {
        released.wait();
        returned->set_value();
        return meter::HostAddresses{{QHostAddress(QHostAddress::LocalHost)}, {}};
    };
    QElapsedTimer clock;
    clock.start();
    const QString failure = failureOf([&] {
        meter::ScpiMeter meter(
            std::make_unique<meter::TcpTransport>(QStringLiteral("meter.example"), 5025, hangs),
            {QStringLiteral("scpi:tcp:meter.example:5025"), {}, 0.3, {}});
        meter.connect();
    });
    EXPECT_LT(clock.elapsed(), 2300);
    EXPECT_EQ(failure, QStringLiteral("meter scpi:tcp:meter.example:5025: cannot connect within 0.3 s"));
    release->set_value();
    returned->get_future().wait();
}

TEST(ScpiMeter, ADeviceNodeThatIsNotThereFailsAtConnect) {
    const QString failure = failureOf(
        [] { meter::makeScpiMeter(optionsFor(QStringLiteral("scpi:serial:/dev/vcm-test-no-such-tty"))); });
    EXPECT_TRUE(failure.startsWith(QStringLiteral(
        "meter scpi:serial:/dev/vcm-test-no-such-tty:9600: cannot open /dev/vcm-test-no-such-tty (")))
        << failure.toStdString();
#ifdef VCM_HAVE_USBTMC
    const QString missing = failureOf(
        [] { meter::makeScpiMeter(optionsFor(QStringLiteral("scpi:usbtmc:/dev/vcm-test-no-such-usbtmc"))); });
    EXPECT_EQ(missing, QStringLiteral("meter scpi:usbtmc:/dev/vcm-test-no-such-usbtmc: cannot open "
                                      "/dev/vcm-test-no-such-usbtmc (No such file or directory)"));
#endif
}

#ifdef VCM_HAVE_USBTMC
// Without the kernel driver a pseudo-terminal stands in for /dev/usbtmcN: the same writes and reads, bounded
// by poll() instead of the driver's timeout.
TEST(ScpiMeter, ReadsOverAUsbtmcDeviceNode) {
    FakeScpiInstrument instrument(FakeScpiMode::Normal, [] { return 4.9179; });
    const QString address = QStringLiteral("scpi:usbtmc:%1").arg(instrument.openPty());
    const std::unique_ptr<meter::Meter> meter = meter::makeScpiMeter(optionsFor(address));
    EXPECT_EQ(meter->identity(), QString::fromLatin1(FakeScpiProtocol::identification()));
    EXPECT_DOUBLE_EQ(meter->measure(0x00), 4.9179);
    EXPECT_EQ(instrument.received(), kConnectSequence + QStringList{"READ?"});
}

#endif

// The fake as a process, as an end-to-end run of the tool uses it: it reads what sim-measure would print
// for the simulated board in the state file, as it stands at each READ?.
TEST(FakeScpiMeterProcess, AnswersWithTheSimulatedBoardsVcom) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString stateFile = dir.filePath(QStringLiteral("board.json"));
    adapter::SimulatedBoardState board;
    board.chip.dataRegister = 0x73;
    board.vcomErrorPercent = 3.0;
    board.vcomOffsetMv = -12.5;
    adapter::saveSimulatedBoard(stateFile, board);

    QProcess fake;
    fake.start(QStringLiteral(FAKE_SCPI_METER_PATH), {QStringLiteral("--sim-state"), stateFile});
    ASSERT_TRUE(fake.waitForStarted(10000));
    while (!fake.canReadLine() && fake.waitForReadyRead(10000)) {
    }
    const quint16 port = static_cast<quint16>(fake.readLine().trimmed().toUInt());
    ASSERT_NE(port, 0);

    // As the executable hands it to the commands.
    const meter::MeterMaker makeMeter = meter::makeScpiMeter;
    const std::unique_ptr<meter::Meter> meter = makeMeter(optionsFor(tcpAddress(port)));
    const auto simMeasure = [&board] {
        return adapter::simulatedMeasurementText(
                   adapter::simulatedVcom(board.chip.dataRegister, board.shape()))
            .toDouble();
    };
    EXPECT_DOUBLE_EQ(meter->measure(0x73), simMeasure());
    board.chip.dataRegister = 0xC0;
    saveSimulatedBoard(stateFile, board);
    EXPECT_DOUBLE_EQ(meter->measure(0xC0), simMeasure());

    fake.closeWriteChannel();
    EXPECT_TRUE(fake.waitForFinished(10000));
    EXPECT_EQ(fake.exitCode(), 0);
}

}  // namespace
}  // namespace vcm::test
