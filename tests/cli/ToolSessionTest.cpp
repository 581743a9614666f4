#include "RunTool.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace vcm::test {
namespace {

/// A station session of the real vcm7310 on a simulated board, its board ids fed through a pipe as a
/// barcode scanner types them.
class Session : public ::testing::Test {
  protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    /// The simulated meter, except for the boards that `script` (shell) answers for itself.
    QString meter(const QString& script = {}) const {
        return script +
               QStringLiteral(" '%1' sim-measure --sim-state '%2'").arg(toolPath(), path("board.json"));
    }
    struct Run {
        int exitCode = -1;
        bool crashed = false;
        QStringList out;
        QString err;
    };
    Run session(const QStringList& ids, const QString& meterCommand, const QStringList& more = {}) const {
        QProcess process;
        process.start(toolPath(),
                      QStringList{"station", "--vcom", "4.0", "--program", "--sim-state", path("board.json"),
                                  "--log", path("log"), "--station-id", "line-2", "--measure", meterCommand} +
                          more);
        process.write((ids.join(u'\n') + u'\n').toUtf8());
        process.closeWriteChannel();
        process.waitForFinished(120000);
        return {process.exitCode(), process.exitStatus() == QProcess::CrashExit,
                QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
                QString::fromUtf8(process.readAllStandardError())};
    }
    /// Each log line's board id and outcome: "B01 pass".
    QStringList logged() const {
        QFile file(path("log"));
        QStringList lines;
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : file.readAll().split('\n')) {
                const QJsonObject record = QJsonDocument::fromJson(line).object();
                if (!record.isEmpty()) {
                    lines << record.value("boardId").toString() + u' ' + record.value("outcome").toString();
                }
            }
        }
        return lines;
    }
    QTemporaryDir dir_;
};

TEST_F(Session, TrimsBoardAfterBoardRefusesBadIdsAndAsksBeforeTrimmingAPassedBoardAgain) {
    // B05's meter is not on VCOM: it reads 4 V whatever the value.
    const QString bad = QStringLiteral("[ \"$VCM7310_BOARD\" = B05 ] && echo 4.0 && exit;");
    const QStringList ids{"B01", "B02", "", "B03", "X-9", "B04", "B05", "B06", "B01", "B07"};
    const Run run = session(ids, meter(bad), {"--id-pattern", "B[0-9]{2}"});
    EXPECT_EQ(run.exitCode, 1) << "a board failed" << run.err.toStdString();
    ASSERT_EQ(run.out.size(), 8) << run.out.join(u'\n').toStdString();
    for (const auto& [line, board] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 4}, {5, 6}, {6, 7}}) {
        EXPECT_EQ(run.out[line], QStringLiteral("PASS B0%1 73 3.9996 V").arg(board));
    }
    EXPECT_TRUE(run.out[4].startsWith("FAIL B05 no-change trim: the VCOM hardly changes"))
        << run.out[4].toStdString();
    EXPECT_EQ(run.out[7], "boards 7, passed 6, failed 1, errors 0, refused 2, skipped 1, yield 85.7 %");
    EXPECT_TRUE(run.err.contains("refused an empty board id; nothing was done"));
    EXPECT_TRUE(run.err.contains("refused board id 'X-9' does not match --id-pattern 'B[0-9]{2}'"));
    EXPECT_TRUE(run.err.contains("B01 passed already")) << "a pipe cannot answer, so the board is skipped";
    EXPECT_EQ(logged(), (QStringList{"B01 pass", "B02 pass", "B03 pass", "B04 pass", "B05 fail", "B06 pass",
                                     "B07 pass"}));

    // With --retest and --json: the board again, its second attempt, one object per board and the summary.
    const Run again = session({"B01"}, meter(), {"--retest", "--json"});
    EXPECT_EQ(again.exitCode, 0);
    ASSERT_EQ(again.out.size(), 2);
    const QJsonObject board = QJsonDocument::fromJson(again.out[0].toUtf8()).object();
    EXPECT_EQ(board.value("boardId").toString(), "B01");
    EXPECT_EQ(board.value("outcome").toString(), "pass");
    EXPECT_TRUE(board.value("programmed").toBool());
    const QJsonObject summary = QJsonDocument::fromJson(again.out[1].toUtf8()).object();
    EXPECT_EQ(summary.value("boards").toInt(), 1);
    EXPECT_EQ(summary.value("yield").toDouble(), 1.0);
    QFile file(path("log"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    EXPECT_EQ(QJsonDocument::fromJson(lines.last()).object().value("attempt").toInt(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(lines.last()).object().value("station").toString(), "line-2");
}

TEST_F(Session, AStationErrorOrAStopEndsTheSessionAfterLoggingTheBoard) {
    struct Case {
        const char* name;
        QString script;  ///< what B02's meter does
        bool crashed;    ///< ended by the signal
        int exitCode;
        QString lastLogged;
    };
    const Case cases[] = {
        {"the meter fails", "[ \"$VCM7310_BOARD\" = B02 ] && exit 1;", false, 3, "B02 error"},
        // The meter's shell is the tool's child: a stop sent to the tool while it measures.
        {"a stop", "[ \"$VCM7310_BOARD\" = B02 ] && kill -TERM $PPID && sleep 30;", true, 0, "B02 aborted"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path("log"));
        const Run run = session({"B01", "B02", "B03"}, meter(c.script));
        EXPECT_EQ(run.crashed, c.crashed);
        if (!c.crashed) {
            EXPECT_EQ(run.exitCode, c.exitCode);
        }
        EXPECT_EQ(logged(), (QStringList{"B01 pass", c.lastLogged})) << "B03 is never trimmed";
        EXPECT_TRUE(run.out.value(0).startsWith("PASS B01"));
    }
}

// At a terminal (here a pseudo-terminal of `script`) the operator is asked before a board that passed is
// trimmed again, and the answer is read from the same input.
TEST_F(Session, AtATerminalTheOperatorIsAskedBeforeAPassedBoardIsTrimmedAgain) {
    ASSERT_EQ(session({"B01"}, meter()).exitCode, 0);
    const QString command =
        QStringLiteral("'%1' station --vcom 4.0 --sim-state '%2' --log '%3' --measure \"%4\"")
            .arg(toolPath(), path("board.json"), path("log"), meter());
    QProcess terminal;
    terminal.setProcessChannelMode(QProcess::MergedChannels);
    terminal.start("script", {"-qec", command, "/dev/null"});
    QByteArray seen;
    const auto waitFor = [&](const QByteArray& text) {
        while (!seen.contains(text) && terminal.waitForReadyRead(20000)) {
            seen += terminal.readAll();
        }
        return seen.contains(text);
    };
    ASSERT_TRUE(waitFor("station ready")) << seen.toStdString();
    terminal.write("B01\n");
    ASSERT_TRUE(waitFor("B01 passed already (")) << seen.toStdString();
    ASSERT_TRUE(waitFor("Trim it again? [y/N]")) << seen.toStdString();
    terminal.write("y\n");
    ASSERT_TRUE(waitFor("PASS B01 73 3.9996 V")) << seen.toStdString();
    terminal.write("\x04");
    ASSERT_TRUE(terminal.waitForFinished(20000));
    EXPECT_EQ(logged(), (QStringList{"B01 pass", "B01 pass"}));
}

}  // namespace
}  // namespace vcm::test
