#include "RunTool.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>

#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vcm::test {
namespace {

/// A test station's runs of vcm7310 on a simulated board kept in a temporary folder.
class Station : public ::testing::Test {
  protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QString board() const { return path("board.json"); }
    QString meter() const {
        return QStringLiteral("'%1' sim-measure --sim-state '%2'").arg(toolPath(), board());
    }
    QStringList trim(const QStringList& more) const {
        return QStringList{"trim", "--program", "--sim-state", board(), "--log", path("log")} + more;
    }
    QString read(const char* name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    /// The station log, each line read as JSON; a line that is not a whole object fails the test.
    std::vector<QJsonObject> logLines() const {
        std::vector<QJsonObject> lines;
        for (const QString& line : read("log").split(u'\n', Qt::SkipEmptyParts)) {
            const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8());
            EXPECT_TRUE(document.isObject()) << line.toStdString();
            lines.push_back(document.object());
        }
        return lines;
    }
    int eeprom() const {
        return QJsonDocument::fromJson(read("board.json").toUtf8()).object().value("eeprom").toInt(-1);
    }
    /// Whether a process ends within a few seconds (a zombie has ended): a process killed with its group
    /// may take a moment to die after the tool has returned. Waits on the process itself, not a clock.
    static bool ends(const QString& pidText) {
        bool ok = false;
        const auto pid = static_cast<pid_t>(pidText.trimmed().toInt(&ok));
        if (!ok || pid <= 0) {
            return false;
        }
        const int descriptor = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
        if (descriptor < 0) {
            return errno == ESRCH;
        }
        pollfd waiting{descriptor, POLLIN, 0};
        const bool ended = ::poll(&waiting, 1, 5000) == 1;
        ::close(descriptor);
        return ended;
    }

    QTemporaryDir dir_;
};

TEST_F(Station, EveryAttemptIsLoggedOnceWithAVerdictTheLineCanActOn) {
    struct Case {
        const char* name;
        QStringList options;
        int exitCode;
        QString outcome;
        QString failure;
        QString reason;
    };
    const Case cases[] = {
        // The VCOM drops 2 V from 80 on: 2.9 V lies in the gap, a volt from either side.
        {"a 2 V jump",
         {"--vcom", "2.9", "--sim-step", "80:-2000"},
         1,
         "fail",
         "out-of-tolerance",
         "trim: 7F measures 3.903796 V again, 1.003796 V from the target 2.9 V, more than the tolerance "
         "0.007985 V; nothing was programmed"},
        {"a tolerance tighter than the nearest value",
         {"--sim-vcom-offset", "3", "--tolerance", "0.0001", "--vcom", "3.0"},
         1,
         "fail",
         "out-of-tolerance",
         "trim: F1 measures 2.996462 V again, 0.003538 V from the target 3 V, more than the tolerance "
         "0.000100 V; nothing was programmed"},
        // The board loses contact as it is programmed: the adapter's answer says so.
        {"an EEPROM write that fails",
         {"--vcom", "4.0", "--sim-fault", "eeprom-fails"},
         3,
         "error",
         "eeprom",
         "program: the EEPROM write of 73 failed; the board may be half-programmed"},
        {"a meter that fails",
         {"--vcom", "4.0", "--measure", "false"},
         3,
         "error",
         "meter",
         "measure: the command failed with exit code 1"},
        {"a meter at its overload value",
         {"--vcom", "4.0", "--measure", "echo 9.9E+37"},
         3,
         "error",
         "meter",
         "measure: the command printed '9.9E+37', the overload value (out of range)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(board());
        QFile::remove(path("log"));
        const QStringList meterOption =
            c.options.contains("--measure") ? QStringList{} : QStringList{"--measure", meter()};
        const ToolRun run =
            runTool(trim(c.options + meterOption + QStringList{"--json", "--board-id", "SN-1"}));
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err, "vcm7310: " + c.reason + u'\n');
        EXPECT_EQ(eeprom(), 0x80);
        const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
        EXPECT_EQ(json.value("outcome").toString(), c.outcome);
        EXPECT_EQ(json.value("failure").toString(), c.failure);
        EXPECT_EQ(json.value("exitCode").toInt(), c.exitCode);
        const std::vector<QJsonObject> log = logLines();
        ASSERT_EQ(log.size(), 1U);
        EXPECT_EQ(log[0].value("outcome").toString(), c.outcome);
        EXPECT_EQ(log[0].value("failure").toString(), c.failure);
        EXPECT_EQ(log[0].value("reason").toString(), c.reason);
        EXPECT_EQ(log[0].value("boardId").toString(), "SN-1");
        EXPECT_FALSE(log[0].value("programmed").toBool());
        // The JSON object and the log keep every measurement taken before the failure.
        EXPECT_EQ(log[0].value("measurements").toArray(), json.value("measurements").toArray());
    }
}

TEST_F(Station, APassingTrimIsLoggedWithEverythingAStationKeeps) {
    const QStringList options{
        "--vcom",
        "4.0",
        "--sim-vcom-error",
        "3",
        "--board-id",
        "SN-2",
        "--average",
        "2",
        "--station-id",
        "bench-3",
        "--operator",
        "ana",
        "--measure",
        QStringLiteral("echo $VCM7310_DCP $VCM7310_BOARD >> '%1'; %2").arg(path("codes"), meter())};
    const ToolRun run = runTool(trim(options));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The same board again is its second attempt, with the same recipe; another tolerance is another.
    ASSERT_EQ(runTool(trim(options)).exitCode, 0);
    ASSERT_EQ(runTool(trim(options + QStringList{"--tolerance", "0.01"})).exitCode, 0);
    const std::vector<QJsonObject> log = logLines();
    ASSERT_EQ(log.size(), 3U);
    const QJsonObject& line = log[0];
    const QDateTime start = QDateTime::fromString(line.value("start").toString(), Qt::ISODateWithMs);
    const QDateTime end = QDateTime::fromString(line.value("end").toString(), Qt::ISODateWithMs);
    EXPECT_TRUE(start.isValid() && end.isValid() && start <= end);
    EXPECT_TRUE(line.value("start").toString().endsWith(u'Z'));
    EXPECT_EQ(line.value("station").toString(), "bench-3");
    EXPECT_EQ(line.value("operator").toString(), "ana");
    EXPECT_EQ(line.value("boardId").toString(), "SN-2");
    EXPECT_EQ(line.value("tool").toString(), "vcm7310 " VCM_VERSION);
    EXPECT_EQ(line.value("adapter").toString(), "sim");
    EXPECT_EQ(line.value("meter").toString(), "command");
    EXPECT_EQ(line.value("target").toDouble(), 4.0);
    EXPECT_EQ(line.value("tolerance").toDouble(), 0.007985);
    EXPECT_EQ(line.value("outcome").toString(), "pass");
    EXPECT_TRUE(line.value("programmed").toBool());
    EXPECT_EQ(line.value("chosen").toString(), "82");
    EXPECT_EQ(log[0].value("attempt").toInt(), 1);
    EXPECT_EQ(log[1].value("attempt").toInt(), 2);
    EXPECT_EQ(log[2].value("attempt").toInt(), 3);
    EXPECT_TRUE(QRegularExpression("^[0-9a-f]{8}$").match(line.value("recipe").toString()).hasMatch());
    EXPECT_EQ(log[1].value("recipe"), line.value("recipe"));
    EXPECT_NE(log[2].value("recipe"), line.value("recipe"));
    // The programmed value is what the EEPROM gives a board powered on again.
    EXPECT_EQ(runTool({"read", "--sim-state", board(), "--sim-power-cycle"}).out, "82 (130)\n");
    // The meter saw each value it measured, and the board, in its environment, twice for the mean of two;
    // each reading has its time from the start.
    QStringList codes;
    double seconds = 0.0;
    const QJsonArray readings = line.value("measurements").toArray();
    for (const QJsonValue& point : readings) {
        codes << point.toObject().value("hex").toString() + " SN-2"
              << point.toObject().value("hex").toString() + " SN-2";
        EXPECT_GE(point.toObject().value("seconds").toDouble(), seconds);
        seconds = point.toObject().value("seconds").toDouble();
    }
    EXPECT_EQ(read("codes").split(u'\n', Qt::SkipEmptyParts).mid(0, codes.size()), codes);
    // The final check, then the reading after programming, last.
    EXPECT_EQ(line.value("finalVcom").toDouble(),
              readings[readings.size() - 2].toObject().value("vcom").toDouble());
    EXPECT_EQ(line.value("afterProgram").toDouble(), readings.last().toObject().value("vcom").toDouble());
}

TEST_F(Station, TheLogTakesALineWholeOrNotAtAllAndTheBoardsRecordIsNeverLost) {
    // A full disk: the board was programmed, and stdout and the JSON object say so.
    const ToolRun full = runTool({"trim", "--vcom", "4.0", "--program", "--sim-state", board(), "--measure",
                                  meter(), "--log", "/dev/full", "--json"});
    EXPECT_EQ(full.exitCode, 3);
    EXPECT_EQ(full.err, "vcm7310: log: cannot write to '/dev/full' (No space left on device)\n");
    const QJsonObject json = QJsonDocument::fromJson(full.out.toUtf8()).object();
    EXPECT_TRUE(json.value("programmed").toBool());
    EXPECT_EQ(json.value("failure").toString(), "log");
    EXPECT_GE(json.value("measurements").toArray().size(), 3);
    EXPECT_EQ(eeprom(), 0x73);

    // A file size limit that cuts the line: the part is taken back, so the next line starts a line.
    const QByteArray earlier(900, 'x');
    {
        QFile log(path("log"));
        ASSERT_TRUE(log.open(QIODevice::WriteOnly));
        log.write(earlier + '\n');
    }
    QProcess limited;
    limited.start("prlimit",
                  QStringList{"--fsize=1000", toolPath()} + trim({"--vcom", "4.0", "--measure", meter()}));
    ASSERT_TRUE(limited.waitForFinished(60000));
    EXPECT_EQ(limited.exitCode(), 3);
    EXPECT_TRUE(QString::fromUtf8(limited.readAllStandardError()).contains("the part was taken back"));
    EXPECT_EQ(read("log").toUtf8(), earlier + '\n');

    // A FIFO cannot be flushed to a disk, and its reader gets the line once.
    QFile::remove(path("log"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("log")).constData(), 0600), 0);
    QProcess reader;
    reader.start("cat", {path("log")});
    ASSERT_TRUE(reader.waitForStarted());
    EXPECT_EQ(runTool(trim({"--vcom", "4.0", "--measure", meter()})).exitCode, 0);
    ASSERT_TRUE(reader.waitForFinished(10000));
    const QList<QByteArray> lines = reader.readAllStandardOutput().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(lines[0]).object().value("outcome").toString(), "pass");
}

TEST_F(Station, AMeterThatHangsIsEndedWithItsChildAfterTheTimeout) {
    const QString command =
        QStringLiteral("echo $$ > '%1'; sleep 30 & echo $! > '%2'; wait").arg(path("shell"), path("child"));
    QElapsedTimer timer;
    timer.start();
    const ToolRun run = runTool(trim({"--vcom", "4.0", "--measure", command, "--meter-timeout", "1"}));
    const qint64 elapsed = timer.elapsed();
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err,
              "vcm7310: measure: the command did not finish within 1 s and was ended (--meter-timeout)\n");
    EXPECT_LT(elapsed, 2000);
    EXPECT_TRUE(ends(read("shell")));
    EXPECT_TRUE(ends(read("child")));
    ASSERT_EQ(logLines().size(), 1U);
    EXPECT_EQ(logLines()[0].value("outcome").toString(), "error");
}

TEST_F(Station, SigtermOrSigintDuringAMeasurementEndsTheMeterAndStillLogsTheBoard) {
    for (const int signal : {SIGTERM, SIGINT}) {
        QFile::remove(path("log"));
        ASSERT_EQ(runTool(trim({"--vcom", "4.0", "--measure", meter()})).exitCode, 0);
        // The meter says it is ready on stderr once its child runs, then hangs.
        const QString command =
            QStringLiteral("sleep 30 & echo $! > '%1'; echo ready >&2; wait").arg(path("child"));
        QProcess process;
        process.setReadChannel(QProcess::StandardError);
        process.start(toolPath(), trim({"--vcom", "4.0", "--measure", command}));
        ASSERT_TRUE(process.waitForReadyRead(10000));
        ::kill(static_cast<pid_t>(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit) << "ends as the signal says";
        EXPECT_TRUE(ends(read("child")));
        const std::vector<QJsonObject> log = logLines();
        ASSERT_EQ(log.size(), 2U) << "the earlier board's line is whole, and the stopped board has its own";
        EXPECT_EQ(log[0].value("outcome").toString(), "pass");
        EXPECT_EQ(log[1].value("outcome").toString(), "aborted");
        EXPECT_EQ(log[1].value("failure").toString(), "stopped");
        EXPECT_TRUE(log[1].value("reason").toString().startsWith("measure: stopped by SIG")) << signal;
        EXPECT_FALSE(log[1].value("programmed").toBool());
    }
}

TEST_F(Station, AReaderThatGoesAwayDoesNotStopTheBoard) {
    // head takes the first line and goes; the trim goes on, programs the board and logs it.
    QProcess shell;
    shell.start("/bin/sh", {"-c", QStringLiteral("'%1' trim --vcom 4.0 --program --sim-state '%2' --log '%3' "
                                                 "--measure \"%4\" | head -1")
                                      .arg(toolPath(), board(), path("log"), meter())});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(shell.readAllStandardOutput()),
              "tolerance 0.007985 V (one DCP step of the model)\n");
    ASSERT_EQ(logLines().size(), 1U);
    EXPECT_EQ(logLines()[0].value("outcome").toString(), "pass");
    EXPECT_EQ(eeprom(), 0x73);
}

TEST_F(Station, ASweepMeasuresEveryValueAndLeavesTheDataRegisterAsItFoundIt) {
    ASSERT_EQ(runTool({"send", "42", "--sim-state", board(), "--sim-vcom-error", "3"}).exitCode, 0);
    const ToolRun run = runTool({"sweep", "--sim-state", board(), "--measure", meter(), "--csv",
                                 path("sweep.csv"), "--svg", path("sweep.svg"), "--vcom", "4.0", "--trace"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList rows = read("sweep.csv").split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 257);
    EXPECT_EQ(rows[0], "hex,value,model_vcom,measured_vcom");
    EXPECT_EQ(rows[1], "00,0,4.91794053819444,5.065479");
    EXPECT_EQ(rows[256], "FF,255,2.88166666666667,2.968117");
    EXPECT_EQ(runTool({"read", "--sim-state", board()}).out, "42 (66)\n");
    EXPECT_FALSE(run.err.contains("EEPROM"));
    const QString svg = read("sweep.svg");
    EXPECT_TRUE(svg.startsWith("<?xml"));
    EXPECT_EQ(svg.count("<circle"), 256);
    EXPECT_TRUE(svg.contains(">82</text>")) << "the value nearest 4.0 V is marked";
    // Without a meter the sweep is the model's and touches no bus.
    const ToolRun model = runTool({"sweep", "--from", "7E", "--to", "7F", "--trace"});
    EXPECT_EQ(model.exitCode, 0);
    EXPECT_EQ(model.out, "7E (126)   model 3.911782 V\n7F (127)   model 3.903796 V\n");
    EXPECT_EQ(model.err, QString());
}

}  // namespace
}  // namespace vcm::test
