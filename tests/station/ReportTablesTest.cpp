#include "QtPrinters.h"
#include "station/report/ReportTables.h"

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

using station::report::LogAttempt;
using station::report::Outcome;

TEST(ReportTables, ACsvRowHasEveryColumnAndQuotesTextThatNeedsIt) {
    LogAttempt closed;
    closed.start = QStringLiteral("2026-12-09T05:05:06.076Z");
    closed.end = QStringLiteral("2026-12-09T05:05:07.120Z");
    closed.station = QStringLiteral("bench-3");
    closed.operatorName = QStringLiteral("ana");
    closed.boardId = QStringLiteral("B,1");
    closed.attempt = 2;
    closed.tool = QStringLiteral("vcm7310 1.0.0");
    closed.adapter = QStringLiteral("sim");
    closed.meter = QStringLiteral("command");
    closed.meterIdentity = QStringLiteral("ACME,3458A");
    closed.basis = QStringLiteral("measured");
    closed.recipe = QStringLiteral("1a2b3c4d");
    closed.target = 4.0;
    closed.tolerance = 0.007985;
    closed.measurements = 5;
    closed.chosen = 0x82;
    closed.finalVcom = 3.996235;
    closed.afterProgram = 3.9962;
    closed.outcome = Outcome::Fail;
    closed.failure = QStringLiteral("out-of-tolerance");
    closed.reason = QStringLiteral("trim: \"3.8 mV\" off,\nsee the meter");
    closed.programmed = false;

    LogAttempt old;
    old.start = QStringLiteral("2025-03-01T10:00:00.000Z");
    old.station = QStringLiteral("(unknown)");

    QByteArray csv = station::report::csvHeader();
    station::report::appendCsvRow(csv, closed, QStringLiteral("logs/a.jsonl"), 17);
    station::report::appendCsvRow(csv, old, QStringLiteral("b.jsonl"), 1);
    EXPECT_EQ(
        QString::fromUtf8(csv),
        QStringLiteral(
            "log,line,start,end,station,operator,board_id,attempt,tool,adapter,meter,meter_identity,basis,"
            "recipe,target,tolerance,measurements,chosen_hex,chosen_value,predicted_vcom,final_vcom,"
            "after_program,final_error,outcome,failure,programmed,reason\n"
            "logs/a.jsonl,17,2026-12-09T05:05:06.076Z,2026-12-09T05:05:07.120Z,bench-3,ana,\"B,1\",2,"
            "vcm7310 1.0.0,sim,command,\"ACME,3458A\",measured,1a2b3c4d,4,0.007985,5,82,130,,3.996235,"
            "3.9962,-0.003765,fail,out-of-tolerance,false,\"trim: \"\"3.8 mV\"\" off,\nsee the meter\"\n"
            "b.jsonl,1,2025-03-01T10:00:00.000Z,,(unknown),,,,,,,,,,,,0,,,,,,,pass,,,\n"));
}

TEST(ReportTables, TheSummaryLinesUpEachStationAndTheTotal) {
    station::report::StationReport report;
    const auto add = [&](const char* station, const char* board, qint64 ms, Outcome outcome,
                         const char* failure, std::optional<std::uint8_t> chosen,
                         std::optional<double> finalVcom) {
        LogAttempt a;
        a.station = QString::fromUtf8(station);
        a.boardId = QString::fromUtf8(board);
        a.startMs = ms;
        a.outcome = outcome;
        a.failure = QString::fromUtf8(failure);
        a.chosen = chosen;
        a.target = 4.0;
        a.finalVcom = finalVcom;
        report.add(a);
    };
    add("bench-1", "B1", 1, Outcome::Fail, "out-of-tolerance", 0x7D, 4.0125);
    add("bench-1", "B1", 2, Outcome::Pass, "", 0x7E, 4.0005);
    add("bench-1", "", 3, Outcome::Pass, "", 0x80, 3.999);
    add("bench-22", "B2", 4, Outcome::Error, "meter", std::nullopt, std::nullopt);
    EXPECT_EQ(station::report::summaryLines(report.figures()),
              (QStringList{
                  "station   attempts  pass  fail  error  aborted  no board",
                  "bench-1          3     2     1      0        0         1",
                  "bench-22         1     0     0      1        0         0",
                  "total            4     2     1      1        0         1",
                  "",
                  "yield     boards  first-pass    final  retests",
                  "bench-1        1       0.0 %  100.0 %        1",
                  "bench-22       1       0.0 %    0.0 %        0",
                  "total          2       0.0 %   50.0 %        1",
                  "",
                  "failures",
                  "bench-1   out-of-tolerance 1",
                  "bench-22  meter 1",
                  "total     meter 1, out-of-tolerance 1",
                  "",
                  "chosen value  attempts  min  median  max",
                  "bench-1              3   7D      7E   80",
                  "bench-22             0    -       -    -",
                  "total                3   7D      7E   80",
                  "",
                  "final error (V)  attempts        min    median       max      mean        sd",
                  "bench-1                 3  -0.001000  0.000500  0.012500  0.004000  0.007399",
                  "bench-22                0          -         -         -         -         -",
                  "total                   3  -0.001000  0.000500  0.012500  0.004000  0.007399",
              }));
}

}  // namespace
}  // namespace vcm::test
