#include "RunTool.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace vcm::test {
namespace {

class Report : public ::testing::Test {
  protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    void write(const char* name, const QStringList& lines) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((lines.join(u'\n') + u'\n').toUtf8());
    }
    QStringList readLines(const char* name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)
                   : QStringList();
    }
    /// Two stations' logs: bench-1 retests board B1 and trims once without a board, bench-2 passes B2,
    /// and an older line (no station) failed B3; one line of the first log is cut short.
    void writeLogs() const {
        write(
            "a.jsonl",
            {R"({"start":"2026-12-09T05:00:00.000Z","end":"2026-12-09T05:00:01.000Z","station":"bench-1",)"
             R"("boardId":"B1","attempt":1,"basis":"measured","target":4,"tolerance":0.005,)"
             R"("measurements":[{"hex":"7D","value":125,"vcom":4.0075}],"chosen":"7D","finalVcom":4.0075,)"
             R"("outcome":"fail","failure":"out-of-tolerance","reason":"trim: 7.5 mV off","programmed":false})",
             R"({"start":"2026-12-09T05:01:00.000Z","station":"bench-1","boardId":"B1","attempt":2,)"
             R"("basis":"measured","target":4,"tolerance":0.005,"measurements":[],"chosen":"7E",)"
             R"("finalVcom":4.0015,"outcome":"pass","programmed":true})",
             R"({"start":"2026-12-09T05:02:00.000Z","station":"bench-1","boa)",
             R"({"start":"2026-12-09T05:03:00.000Z","station":"bench-1","basis":"model","target":4,)"
             R"("chosen":"7D","predictedVcom":3.9996,"outcome":"pass","programmed":false})"});
        write(
            "b.jsonl",
            {R"({"outcome":"pass","station":"bench-2","boardId":"B2","start":"2026-12-09T06:00:00.000Z",)"
             R"("target":4,"tolerance":0.005,"chosen":"80","finalVcom":3.999,"unknown":[1,2]})",
             R"({"time":"2025-03-01T10:00:00.000Z","boardId":"B3","tool":"vcm7310 0.9.0","basis":"measured",)"
             R"("target":4,"measurements":[],"result":"fail","reason":"trim: the VCOM hardly changes",)"
             R"("programmed":false})"});
    }

    QTemporaryDir dir_;
};

TEST_F(Report, SummarisesTwoStationsLogsAndNamesTheMalformedLine) {
    writeLogs();
    const ToolRun run = runTool({"report", path("a.jsonl"), path("b.jsonl"), "--csv", path("attempts.csv"),
                                 "--svg", path("errors.svg")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.errLines(), QStringList{"vcm7310: warning: " + path("a.jsonl") +
                                          ":3: not JSON (cut short after character 60)"});
    // The spreads' tables are laid out as ReportTables' tests show; here, the counts from both logs.
    EXPECT_EQ(run.outLines().mid(0, 16) + run.outLines().mid(26),
              (QStringList{
                  "logs      2: 6 lines, 5 attempts, 1 malformed",
                  "station    attempts  pass  fail  error  aborted  no board",
                  "(unknown)         1     0     1      0        0         0",
                  "bench-1           3     2     1      0        0         1",
                  "bench-2           1     1     0      0        0         0",
                  "total             5     3     2      0        0         1",
                  "yield      boards  first-pass    final  retests",
                  "(unknown)       1       0.0 %    0.0 %        0",
                  "bench-1         1       0.0 %  100.0 %        1",
                  "bench-2         1     100.0 %  100.0 %        0",
                  "total           3      33.3 %   66.7 %        1",
                  "failures",
                  "(unknown)  (none) 1",
                  "bench-1    out-of-tolerance 1",
                  "bench-2    -",
                  "total      (none) 1, out-of-tolerance 1",
                  "csv       " + path("attempts.csv") + " (5 rows)",
                  "svg       " + path("errors.svg"),
              }));

    // One CSV row per attempt, in the order read, each naming its log and line.
    const QStringList csv = readLines("attempts.csv");
    ASSERT_EQ(csv.size(), 6);
    EXPECT_TRUE(csv[1].startsWith(path("a.jsonl") +
                                  ",1,2026-12-09T05:00:00.000Z,2026-12-09T05:00:01.000Z,bench-1,,B1,1,"));
    EXPECT_TRUE(csv[3].startsWith(path("a.jsonl") + ",4,"));
    EXPECT_TRUE(
        csv[5].startsWith(path("b.jsonl") + ",2,2025-03-01T10:00:00.000Z,,(unknown),,B3,,vcm7310 0.9.0,"));
    EXPECT_TRUE(csv[5].endsWith(",fail,,false,trim: the VCOM hardly changes"));
    // The histogram marks the tolerance the closed-loop attempts had.
    EXPECT_TRUE(readLines("errors.svg").join(u'\n').contains(QStringLiteral("tolerance \u00b15 mV")));
}

// A log named twice (by a glob and by name) is read once: its boards are not retests of themselves.
TEST_F(Report, GivesOneJsonObjectAndReadsALogNamedTwiceOnce) {
    writeLogs();
    const ToolRun run = runTool({"--json", "report", path("a.jsonl"), path("b.jsonl"), path("a.jsonl")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errLines().value(0),
              "vcm7310: warning: " + path("a.jsonl") + ": named more than once, read once");
    ASSERT_EQ(run.outLines().size(), 1);
    const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(report["malformedLines"][0]["line"].toInt(), 3);
    EXPECT_EQ(report["stations"][1]["failures"]["out-of-tolerance"].toInt(), 1);
    const QJsonObject total = report["total"].toObject();
    EXPECT_EQ(total["attempts"].toInt(), 5);
    EXPECT_EQ(total["retests"].toInt(), 1);
    EXPECT_EQ(total["firstPassYield"].toDouble(), 0.3333);
    EXPECT_EQ(total["finalError"]["max"].toDouble(), 0.0075);
}

// The report reads the log the tool itself writes: a board trimmed twice in closed loop is one board and
// one retest, with a final error each time.
TEST_F(Report, ReadsTheLogOfTheToolsOwnTrims) {
    const QString meter =
        QStringLiteral("\"%1\" sim-measure --sim-state \"%2\"").arg(toolPath(), path("board.json"));
    for (int i = 0; i < 2; ++i) {
        const ToolRun trim = runTool({"trim", "--vcom", "4.0", "--sim-state", path("board.json"), "--measure",
                                      meter, "--log", path("station.jsonl"), "--board-id", "B7"});
        ASSERT_EQ(trim.exitCode, 0) << trim.err.toStdString();
    }
    const ToolRun run = runTool({"report", "--json", path("station.jsonl")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(report["malformed"].toInt(), 0);
    const QJsonObject total = report["total"].toObject();
    EXPECT_EQ(total["attempts"].toInt(), 2);
    EXPECT_EQ(total["boards"].toInt(), 1);
    EXPECT_EQ(total["retests"].toInt(), 1);
    EXPECT_EQ(total["finalYield"].toDouble(), 1.0);
    EXPECT_EQ(total["finalError"]["count"].toInt(), 2);
}

TEST_F(Report, ALogThatCannotBeReadEndsWithThreeAndNoLogWithTwo) {
    writeLogs();
    struct Case {
        QStringList arguments;
        int exitCode;
        QString error;
    };
    const Case cases[] = {
        {{"report"}, 2, "vcm7310: report needs at least one LOG."},
        {{"report", path("a.jsonl"), path("missing.jsonl")},
         3,
         "vcm7310: report: cannot read the log '" + path("missing.jsonl") + "' ("},
        {{"report", path("a.jsonl"), "--csv", path("no/such/folder.csv")},
         3,
         "vcm7310: report: cannot write the CSV file '" + path("no/such/folder.csv") + "' ("},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        // The system's own words for why follow in the parentheses.
        EXPECT_TRUE(run.errLines().value(0).startsWith(c.error)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}  // namespace
}  // namespace vcm::test
