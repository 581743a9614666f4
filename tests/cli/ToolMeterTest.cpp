#include "RunTool.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>

namespace vcm::test {
namespace {

/// The fake bench meter of our own, as a process on 127.0.0.1 that answers from a simulated board's
/// file; it ends when its input closes.
class FakeMeter {
  public:
    FakeMeter(const QString& stateFile, const QString& mode) {
        process_.start(QStringLiteral(FAKE_SCPI_METER_PATH),
                       {QStringLiteral("--sim-state"), stateFile, QStringLiteral("--mode"), mode});
        while (process_.waitForStarted(10000) && !process_.canReadLine() &&
               process_.waitForReadyRead(10000)) {
        }
        port_ = process_.readLine().trimmed();
    }
    ~FakeMeter() {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }
    QString address() const { return QStringLiteral("scpi:tcp:127.0.0.1:") + QString::fromLatin1(port_); }

  private:
    QProcess process_;
    QByteArray port_;
};

class BenchMeter : public ::testing::Test {
  protected:
    QString board() const { return dir_.filePath(QStringLiteral("board.json")); }
    QTemporaryDir dir_;
};

TEST_F(BenchMeter, ATrimThroughTheMeterEndsAsOneThroughAMeasureCommand) {
    const QStringList trim{"trim", "--vcom",     "4.0",  "--program",   "--json", "--sim-vcom-error",
                           "3",    "--sim-step", "84:5", "--sim-state", board()};
    const ToolRun byCommand = runTool(
        trim + QStringList{"--measure",
                           QStringLiteral("'%1' sim-measure --sim-state '%2'").arg(toolPath(), board())});
    ASSERT_EQ(byCommand.exitCode, 0) << byCommand.err.toStdString();
    const QString programmed = QString::fromUtf8([&] {
        QFile file(board());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }());
    QFile::remove(board());

    const FakeMeter meter(board(), QStringLiteral("normal"));
    const ToolRun byMeter =
        runTool(trim + QStringList{"--meter", meter.address(), "--log", dir_.filePath("log")});
    ASSERT_EQ(byMeter.exitCode, 0) << byMeter.err.toStdString();
    // The same readings, taken at their own times.
    static const QRegularExpression seconds(QStringLiteral(",\"seconds\":[0-9.]+"));
    EXPECT_EQ(QString(byMeter.out).remove(seconds), QString(byCommand.out).remove(seconds));
    QFile file(board());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), programmed);
    // The station log names the meter and keeps what it says it is.
    QFile log(dir_.filePath("log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QJsonObject line = QJsonDocument::fromJson(log.readLine()).object();
    EXPECT_EQ(line.value("meter").toString(), meter.address());
    EXPECT_FALSE(line.value("meterIdentity").toString().isEmpty());
}

TEST_F(BenchMeter, AMeterThatFailsEndsTheTrimOnOneLineWithNothingProgrammed) {
    struct Case {
        const char* mode;
        const char* answered;
    };
    const Case cases[] = {
        {"stops-answering", "no answer to READ? within 0.5 s"},
        {"junk", "READ?"},
        {"reading-error", "READ?"},
        {"closes", "closed"},
        {"floods", "READ? answered more than 65536 bytes without a line end"},
    };
    for (const Case& c : cases) {
        QFile::remove(board());
        const FakeMeter meter(board(), QString::fromUtf8(c.mode));
        const ToolRun run = runTool({"trim", "--vcom", "4.0", "--program", "--sim-state", board(), "--meter",
                                     meter.address(), "--meter-timeout", "0.5"});
        EXPECT_EQ(run.exitCode, 3) << c.mode;
        ASSERT_EQ(run.errLines().size(), 1) << c.mode << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith("vcm7310: meter " + meter.address() + ": ")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.answered))) << run.err.toStdString();
        EXPECT_FALSE(run.out.contains("programmed")) << c.mode;
        QFile file(board());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(QJsonDocument::fromJson(file.readAll()).object().value("eeprom").toInt(), 0x80) << c.mode;
    }
}

// A stop while the tool waits for a bench meter's answer: the wait ends at its bound, the board is logged
// as aborted with nothing programmed, and the tool ends by the signal.
TEST_F(BenchMeter, AStopWhileTheMeterIsAskedIsLoggedAndNothingIsProgrammed) {
    const FakeMeter meter(board(), QStringLiteral("stops-answering"));
    QProcess tool;
    tool.setReadChannel(QProcess::StandardError);
    tool.start(toolPath(),
               {"trim", "--vcom", "4.0", "--program", "--sim-state", board(), "--meter", meter.address(),
                "--meter-timeout", "2", "--trace", "--log", dir_.filePath("log")});
    // The meter's set-up ends with SYST:ERR?; the first reading is asked for right after it.
    QByteArray err;
    while (!err.contains("SYST:ERR?") && tool.waitForReadyRead(10000)) {
        err += tool.readAllStandardError();
    }
    ASSERT_TRUE(err.contains("SYST:ERR?")) << err.toStdString();
    ::kill(static_cast<pid_t>(tool.processId()), SIGTERM);
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.exitStatus(), QProcess::CrashExit);
    QFile log(dir_.filePath("log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QJsonObject line = QJsonDocument::fromJson(log.readLine()).object();
    EXPECT_EQ(line.value("outcome").toString(), "aborted");
    EXPECT_FALSE(line.value("programmed").toBool());
    QFile file(board());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QJsonDocument::fromJson(file.readAll()).object().value("eeprom").toInt(), 0x80);
}

#ifdef HANGING_LOOKUP_PATH
// The meter's name server never answers (the preloaded library holds the lookup for 30 s): the trim fails
// at the timeout, and the tool ends then rather than with the lookup.
TEST_F(BenchMeter, AMeterNameWhoseLookupHangsEndsTheToolAtTheTimeout) {
    QElapsedTimer clock;
    clock.start();
    const ToolRun run = runTool({"trim", "--vcom", "4.0", "--program", "--sim-state", board(), "--meter",
                                 "scpi:tcp:meter.hangs.invalid", "--meter-timeout", "0.5"},
                                {{QStringLiteral("LD_PRELOAD"), QStringLiteral(HANGING_LOOKUP_PATH)}});
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.errLines(),
              QStringList{"vcm7310: meter scpi:tcp:meter.hangs.invalid:5025: cannot connect within 0.5 s"});
}
#endif

}  // namespace
}  // namespace vcm::test
