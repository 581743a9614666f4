#include "QtPrinters.h"
#include "station/report/LogReader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDateTime>

namespace vcm::test {
namespace {

using station::report::LineProblem;
using station::report::LogAttempt;
using station::report::Outcome;

LogAttempt attemptOf(const char* line) {
    auto read = station::report::readLogLine(QByteArrayView(line));
    if (const auto* problem = std::get_if<LineProblem>(&read)) {
        ADD_FAILURE() << line << ": " << problem->text.toStdString();
        return {};
    }
    return std::get<LogAttempt>(read);
}

TEST(LogReader, ReadsTheCurrentAndTheOlderFormat) {
    const LogAttempt closed = attemptOf(
        R"({"start":"2026-12-09T05:05:06.076Z","end":"2026-12-09T05:05:07.120Z","station":"bench-3",)"
        R"("operator":"ana","boardId":"B123","attempt":2,"tool":"vcm7310 1.0.0","adapter":"sim",)"
        R"("meter":"command","basis":"measured","target":4,"tolerance":0.007985,"recipe":"1a2b3c4d",)"
        R"("measurements":[{"hex":"73","value":115,"vcom":4.1},{"hex":"82","value":130,"vcom":3.99}],)"
        R"("chosen":"82","finalVcom":3.996235,"afterProgram":3.9962,"outcome":"fail",)"
        R"("failure":"out-of-tolerance","reason":"trim: 3.8 mV off","programmed":false})");
    EXPECT_EQ(closed.startMs,
              QDateTime::fromString("2026-12-09T05:05:06.076Z", Qt::ISODateWithMs).toMSecsSinceEpoch());
    EXPECT_EQ(closed.station, "bench-3");
    EXPECT_EQ(closed.attempt, 2);
    EXPECT_EQ(closed.measurements, 2);
    EXPECT_EQ(closed.chosen, 0x82);
    EXPECT_EQ(closed.outcome, Outcome::Fail);
    EXPECT_EQ(closed.failure, "out-of-tolerance");
    EXPECT_EQ(closed.programmed, false);
    EXPECT_DOUBLE_EQ(closed.finalError().value_or(0), 3.996235 - 4.0);

    // Keys in any order, unknown keys ignored, a null member left out, numbers in any JSON form; a model
    // trim's error is its prediction's.
    const LogAttempt model =
        attemptOf(R"({"outcome":"pass","predictedVcom":39.996e-1,"future":{"x":[1]},"operator":null,)"
                  R"("target":4.0E0,"start":"2026-12-09T05:05:06.076Z","chosen":"0x7d","station":"s"})");
    EXPECT_EQ(model.outcome, Outcome::Pass);
    EXPECT_EQ(model.chosen, 0x7D);
    EXPECT_TRUE(model.operatorName.isEmpty());
    EXPECT_NEAR(model.finalError().value_or(1), -0.0004, 1e-12);

    // An older line: "time" and "result", no station, no failure code.
    const LogAttempt old = attemptOf(
        R"({"time":"2025-03-01T10:00:00.000Z","boardId":"B9","tool":"vcm7310 0.9.0","basis":"measured",)"
        R"("target":4,"measurements":[],"chosen":"7D","finalVcom":4.2,"result":"fail",)"
        R"("reason":"trim: too far","programmed":false})");
    EXPECT_EQ(old.start, "2025-03-01T10:00:00.000Z");
    EXPECT_EQ(old.station, "(unknown)");
    EXPECT_EQ(old.outcome, Outcome::Fail);
    EXPECT_TRUE(old.failure.isEmpty());
    EXPECT_EQ(old.reason, "trim: too far");
    EXPECT_FALSE(old.attempt);
}

TEST(LogReader, ALineThatIsNotAnAttemptSaysWhy) {
    const char* start = R"("start":"2026-12-09T05:05:06.076Z")";
    struct Case {
        QByteArray line;
        QString problem;
    };
    const auto with = [&](const char* members) { return QByteArray("{") + start + members + "}"; };
    const Case cases[] = {
        // A line cut short: the position is its end.
        {R"({"start":"2026-12-09T05:05)", "not JSON (cut short after character 26)"},
        {R"({"start":1e999})", "not JSON (a number out of range at character 10)"},
        {"[1,2]", "not a JSON object"},
        {R"({"outcome":"pass"})", "no start (or time)"},
        {R"({"start":17,"outcome":"pass"})", "start is not a string"},
        {R"({"start":"yesterday","outcome":"pass"})", "start is not an ISO 8601 time"},
        {R"({"start":"2026-13-09T05:05:06.076Z","outcome":"pass"})", "start is not an ISO 8601 time"},
        {with(""), "no outcome (or result)"},
        {with(R"(,"outcome":"passed")"), "outcome is not pass, fail, error or aborted"},
        // The older format knew only pass and fail.
        {R"({"time":"2025-03-01T10:00:00.000Z","result":"aborted"})", "result is not pass or fail"},
        {with(R"(,"outcome":"pass","target":"4")"), "target is not a number"},
        {with(R"(,"outcome":"pass","chosen":"1FF")"), "chosen is not a DCP value in hex"},
        {with(R"(,"outcome":"pass","chosen":"+7")"), "chosen is not a DCP value in hex"},
        {with(R"(,"outcome":"pass","attempt":0)"), "attempt is not a whole number from 1"},
        {with(R"(,"outcome":"pass","attempt":1.5)"), "attempt is not a whole number from 1"},
        {with(R"(,"outcome":"pass","measurements":{})"), "measurements is not an array"},
        {with(R"(,"outcome":"pass","programmed":"yes")"), "programmed is not true or false"},
        {with(R"(,"outcome":"pass","boardId":42)"), "boardId is not a string"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const auto read = station::report::readLogLine(c.line);
        ASSERT_TRUE(std::holds_alternative<LineProblem>(read));
        EXPECT_EQ(std::get<LineProblem>(read).text, c.problem);
    }
}

// The summary alone needs no operator, tool or reason: they are not kept, but checked all the same, so a
// line is malformed or not whether a CSV is written or not.
TEST(LogReader, WithoutTheCsvTheTextsOnlyItShowsAreCheckedButNotKept) {
    const char* good =
        R"({"start":"2026-12-09T05:05:06.076Z","outcome":"fail","station":"s","boardId":"B1",)"
        R"("operator":"ana","tool":"vcm7310 1.0.0","failure":"meter","reason":"measure: no answer"})";
    const auto summary = station::report::readLogLine(QByteArrayView(good), false);
    ASSERT_TRUE(std::holds_alternative<LogAttempt>(summary));
    const LogAttempt& attempt = std::get<LogAttempt>(summary);
    EXPECT_EQ(attempt.boardId, "B1");
    EXPECT_EQ(attempt.failure, "meter");
    EXPECT_TRUE(attempt.operatorName.isEmpty());
    EXPECT_TRUE(attempt.reason.isEmpty());
    EXPECT_EQ(attemptOf(good).reason, "measure: no answer");

    const char* bad = R"({"start":"2026-12-09T05:05:06.076Z","outcome":"pass","operator":7})";
    for (const bool everything : {true, false}) {
        const auto read = station::report::readLogLine(QByteArrayView(bad), everything);
        ASSERT_TRUE(std::holds_alternative<LineProblem>(read));
        EXPECT_EQ(std::get<LineProblem>(read).text, "operator is not a string");
    }
}

TEST(LogReader, ReadsTheLogsTimesAndAnyOtherIso8601Time) {
    struct Case {
        const char* text;
        std::optional<qint64> ms;
    };
    const Case cases[] = {
        {"1970-01-01T00:00:00.000Z", 0},
        {"1970-01-01T00:00:00.001Z", 1},
        {"2000-02-29T23:59:59.999Z", 951868799999},
        {"2026-12-09T05:05:06.076Z", 1796792706076},
        // Other forms go through Qt's reader.
        {"2026-12-09T05:05:06Z", 1796792706000},
        {"2026-12-09T06:05:06.076+01:00", 1796792706076},
        {"09.12.2026 05:05:06", std::nullopt},
        {"2026-12-09T05:05:06.07xZ", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(station::report::isoTimeMs(QString::fromLatin1(c.text)), c.ms);
    }
}

// Lines are cut at line ends across the reader's blocks, counted from 1 with blank lines, and the last
// line needs no line end.
TEST(LogReader, CountsLinesAcrossBlocksAndNamesTheBadOnes) {
    const QByteArray good = R"({"start":"2026-12-09T05:05:06.076Z","outcome":"pass","reason":")";
    QByteArray log = good + QByteArray(3 << 20, 'x') + "\"}\r\n";  // longer than a block
    log += "\n  \n{oops\n";
    log += good + "last\"}";
    QBuffer device(&log);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    std::vector<std::pair<qint64, qsizetype>> attempts;  // line, length of reason
    std::vector<qint64> malformed;
    const station::report::LogReading reading = station::report::readLog(
        device,
        {[&](const LogAttempt& attempt, qint64 line) { attempts.emplace_back(line, attempt.reason.size()); },
         [&](qint64 line, const QString&) { malformed.push_back(line); }});
    EXPECT_EQ(reading.lines, 5);
    EXPECT_TRUE(reading.error.isEmpty());
    EXPECT_EQ(attempts, (std::vector<std::pair<qint64, qsizetype>>{{1, 3 << 20}, {5, 4}}));
    EXPECT_EQ(malformed, std::vector<qint64>{4});
}

}  // namespace
}  // namespace vcm::test
