#include "cli/commands/CommandFailure.h"
#include "cli/commands/Commands.h"
#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"
#include "station/report/LogReader.h"
#include "station/report/ReportPlot.h"
#include "station/report/ReportTables.h"
#include "station/report/StationReport.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QSet>

#include <cmath>
#include <memory>

namespace vcm::cli {

namespace {

namespace report = station::report;

const QLocale kC = QLocale::c();

CommandFailure cannotWrite(const QString& what, const QSaveFile& file) {
    return CommandFailure{kExitError, QStringLiteral("report: cannot write the %1 '%2' (%3)")
                                          .arg(what, file.fileName(), file.errorString())};
}

/// The CSV file, written in large blocks while the logs are read, so that a million rows never sit in
/// memory; it replaces the file only once it is whole.
class CsvFile {
  public:
    explicit CsvFile(const QString& path) : file_(path) {
        if (!file_.open(QIODevice::WriteOnly)) {
            throw cannotWrite(QStringLiteral("CSV file"), file_);
        }
        pending_.reserve(kBlock + (kBlock >> 2));
        pending_ += report::csvHeader();
    }
    void row(const report::LogAttempt& attempt, const QString& log, qint64 line) {
        report::appendCsvRow(pending_, attempt, log, line);
        ++rows_;
        if (pending_.size() >= kBlock) {
            flush();
        }
    }
    qint64 commit() {
        flush();
        if (!file_.commit()) {
            throw cannotWrite(QStringLiteral("CSV file"), file_);
        }
        return rows_;
    }

  private:
    static constexpr qsizetype kBlock = 1 << 20;

    void flush() {
        if (file_.write(pending_) != pending_.size()) {
            throw cannotWrite(QStringLiteral("CSV file"), file_);
        }
        pending_.resize(0);  // keeps the buffer
    }

    QSaveFile file_;
    QByteArray pending_;
    qint64 rows_ = 0;
};

QString volts(double value) {
    return dcp::formatFixed(value, 6, kC);
}

/// A share as a JSON number with four decimals at most ("0.9231").
QString share(double value) {
    return dcp::formatGeneral(std::round(value * 1e4) / 1e4, kC);
}

/// `object` with the figures' members after its own.
JsonObject figuresJson(const report::Figures& figures, JsonObject object = {}) {
    JsonObject outcomes;
    for (int i = 0; i < report::kOutcomeCount; ++i) {
        outcomes.integer(report::outcomeName(static_cast<report::Outcome>(i)),
                         figures.outcomes[static_cast<std::size_t>(i)]);
    }
    JsonObject failures;
    for (const auto& [code, count] : figures.failures) {
        failures.integer(code, count);
    }
    object.integer(QStringLiteral("attempts"), figures.attempts)
        .object(QStringLiteral("outcomes"), outcomes)
        .object(QStringLiteral("failures"), failures)
        .integer(QStringLiteral("withoutBoard"), figures.withoutBoard)
        .integer(QStringLiteral("boards"), figures.boards)
        .integer(QStringLiteral("firstPassed"), figures.firstPassed)
        .integer(QStringLiteral("finalPassed"), figures.finalPassed);
    if (const std::optional<double> yield = figures.firstPassYield()) {
        object.number(QStringLiteral("firstPassYield"), share(*yield));
    }
    if (const std::optional<double> yield = figures.finalYield()) {
        object.number(QStringLiteral("finalYield"), share(*yield));
    }
    object.integer(QStringLiteral("retests"), figures.retests);

    const report::Spread& chosen = figures.chosen;
    JsonObject chosenJson;
    chosenJson.integer(QStringLiteral("count"), chosen.count);
    if (chosen.count > 0) {
        const auto hex = [](double value) {
            return dcp::byteToHex(static_cast<std::int16_t>(std::floor(value)));
        };
        chosenJson.text(QStringLiteral("min"), hex(chosen.min))
            .text(QStringLiteral("median"), hex(chosen.median))
            .text(QStringLiteral("max"), hex(chosen.max));
    }
    const report::Spread& error = figures.finalError;
    JsonObject errorJson;
    errorJson.integer(QStringLiteral("count"), error.count);
    if (error.count > 0) {
        errorJson.number(QStringLiteral("min"), volts(error.min))
            .number(QStringLiteral("median"), volts(error.median))
            .number(QStringLiteral("max"), volts(error.max))
            .number(QStringLiteral("mean"), volts(error.mean));
        if (error.sd) {
            errorJson.number(QStringLiteral("sd"), volts(*error.sd));
        }
    }
    return object.object(QStringLiteral("chosen"), chosenJson)
        .object(QStringLiteral("finalError"), errorJson);
}

/// Every log opened before anything is written: one that cannot be read stops the report at once. A log
/// named twice (by a glob and by name) is read once, or its boards would seem retested.
std::vector<std::unique_ptr<QFile>> openLogs(const QStringList& paths, const CommandOutput& out) {
    std::vector<std::unique_ptr<QFile>> logs;
    QSet<QString> opened;
    for (const QString& path : paths) {
        auto log = std::make_unique<QFile>(path);
        if (!log->open(QIODevice::ReadOnly)) {
            throw CommandFailure{
                kExitError,
                QStringLiteral("report: cannot read the log '%1' (%2)").arg(path, log->errorString())};
        }
        const QString identity = QFileInfo(path).canonicalFilePath();
        if (opened.contains(identity)) {
            out.warning(QStringLiteral("%1: named more than once, read once").arg(path));
            continue;
        }
        opened.insert(identity);
        logs.push_back(std::move(log));
    }
    return logs;
}

void writeSvg(const QString& path, const report::StationReport& tally) {
    QSaveFile svg(path);
    const QByteArray picture =
        report::errorHistogramSvg(tally.finalErrors(), tally.commonTolerance()).toUtf8();
    if (!svg.open(QIODevice::WriteOnly) || svg.write(picture) != picture.size() || !svg.commit()) {
        throw cannotWrite(QStringLiteral("SVG file"), svg);
    }
}

JsonObject reportJson(const Invocation& invocation, const report::StationReport& tally,
                      const report::ReportFigures& results, qint64 lines) {
    std::vector<JsonObject> malformed;
    for (const report::MalformedLine& line : tally.malformedLines()) {
        malformed.push_back(JsonObject()
                                .text(QStringLiteral("log"), line.log)
                                .integer(QStringLiteral("line"), line.line)
                                .text(QStringLiteral("problem"), line.problem));
    }
    std::vector<JsonObject> stations;
    for (const auto& [station, figures] : results.stations) {
        stations.push_back(figuresJson(figures, JsonObject().text(QStringLiteral("station"), station)));
    }
    JsonObject result;
    result.text(QStringLiteral("command"), commandName(invocation.command))
        .textArray(QStringLiteral("logs"), invocation.logFiles)
        .integer(QStringLiteral("lines"), lines)
        .integer(QStringLiteral("malformed"), tally.malformedCount())
        .array(QStringLiteral("malformedLines"), malformed)
        .array(QStringLiteral("stations"), stations)
        .object(QStringLiteral("total"), figuresJson(results.total));
    if (!invocation.csvFile.isEmpty()) {
        result.text(QStringLiteral("csv"), invocation.csvFile);
    }
    if (!invocation.svgFile.isEmpty()) {
        result.text(QStringLiteral("svg"), invocation.svgFile);
    }
    return result;
}

}  // namespace

JsonObject runReport(const Invocation& invocation, const CommandOutput& out) {
    const std::vector<std::unique_ptr<QFile>> logs = openLogs(invocation.logFiles, out);
    std::optional<CsvFile> csv;
    if (!invocation.csvFile.isEmpty()) {
        csv.emplace(invocation.csvFile);
    }

    report::StationReport tally;
    qint64 lines = 0;
    for (const std::unique_ptr<QFile>& log : logs) {
        const QString name = log->fileName();
        const report::LogVisitor visitor{
            [&](const report::LogAttempt& attempt, qint64 line) {
                tally.add(attempt);
                if (csv) {
                    csv->row(attempt, name, line);
                }
            },
            [&](qint64 line, const QString& problem) {
                tally.addMalformed(name, line, problem);
                if (tally.malformedCount() <= report::StationReport::kNamedMalformed) {
                    out.warning(QStringLiteral("%1:%2: %3").arg(name).arg(line).arg(problem));
                }
            }};
        const report::LogReading reading = report::readLog(*log, visitor, csv.has_value());
        if (!reading.error.isEmpty()) {
            throw CommandFailure{
                kExitError, QStringLiteral("report: cannot read the log '%1' (%2)").arg(name, reading.error)};
        }
        lines += reading.lines;
    }
    const qint64 unnamed = tally.malformedCount() - report::StationReport::kNamedMalformed;
    if (unnamed > 0) {
        out.warning(QStringLiteral("%1 more malformed lines, not named").arg(unnamed));
    }
    const qint64 rows = csv ? csv->commit() : 0;
    if (!invocation.svgFile.isEmpty()) {
        writeSvg(invocation.svgFile, tally);
    }

    const report::ReportFigures results = tally.figures();
    out.field(QStringLiteral("logs"), QStringLiteral("%1: %2 lines, %3 attempts, %4 malformed")
                                          .arg(logs.size())
                                          .arg(lines)
                                          .arg(results.total.attempts)
                                          .arg(tally.malformedCount()));
    out.text(QString());
    for (const QString& line : report::summaryLines(results)) {
        out.text(line);
    }
    if (csv) {
        out.text(QString());
        out.field(QStringLiteral("csv"), QStringLiteral("%1 (%2 rows)").arg(invocation.csvFile).arg(rows));
    }
    if (!invocation.svgFile.isEmpty()) {
        out.field(QStringLiteral("svg"), invocation.svgFile);
    }
    return reportJson(invocation, tally, results, lines);
}

}  // namespace vcm::cli
