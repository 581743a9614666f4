#include "station/report/ReportTables.h"

#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"

#include <QLocale>
#include <QStringEncoder>

#include <algorithm>
#include <cmath>

namespace vcm::station::report {

namespace {

const QLocale kC = QLocale::c();
const QString kNone = QStringLiteral("-");

/// Lines up rows of cells two spaces apart: the first column to the left, the others to the right
/// (numbers) or to the left (text).
QStringList lined(const std::vector<QStringList>& rows, bool numbers) {
    std::vector<qsizetype> widths;
    for (const QStringList& row : rows) {
        widths.resize(std::max(widths.size(), static_cast<std::size_t>(row.size())));
        for (qsizetype i = 0; i < row.size(); ++i) {
            widths[static_cast<std::size_t>(i)] =
                std::max(widths[static_cast<std::size_t>(i)], row[i].size());
        }
    }
    QStringList lines;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i) {
            const int width = static_cast<int>(widths[static_cast<std::size_t>(i)]);
            line += i == 0 ? row[i].leftJustified(width)
                           : QStringLiteral("  ") + (numbers ? row[i].rightJustified(width) : row[i]);
        }
        lines << line.trimmed();
    }
    return lines;
}

QString hexText(double value) {
    return dcp::byteToHex(static_cast<std::int16_t>(std::floor(value)));
}

QString voltText(double volts) {
    return dcp::formatFixed(volts, 6, kC);
}

/// The stations' rows and the total's, each made by `row` from a name and figures.
template <typename Row>
std::vector<QStringList> perStation(const ReportFigures& report, const QStringList& header, Row row) {
    std::vector<QStringList> rows{header};
    for (const auto& [name, figures] : report.stations) {
        rows.push_back(QStringList{name} + row(figures));
    }
    rows.push_back(QStringList{QStringLiteral("total")} + row(report.total));
    return rows;
}

QString failuresText(const Figures& figures) {
    QStringList codes;
    for (const auto& [code, count] : figures.failures) {
        codes << QStringLiteral("%1 %2").arg(code).arg(count);
    }
    return codes.isEmpty() ? kNone : codes.join(QStringLiteral(", "));
}

/// A CSV field: quoted when it holds a comma, a quote or a line end, its quotes doubled.
void appendField(QByteArray& csv, QStringEncoder& utf8, QStringView text) {
    const bool quoted = std::any_of(
        text.begin(), text.end(), [](QChar c) { return c == u',' || c == u'"' || c == u'\n' || c == u'\r'; });
    if (quoted) {
        csv += '"';
        csv += text.toUtf8().replace('"', "\"\"");
        csv += '"';
        return;
    }
    // Encoded straight into the CSV: a million rows of 27 fields would otherwise make as many copies.
    const qsizetype at = csv.size();
    csv.resize(at + text.size() * 3);
    csv.resize(utf8.appendToBuffer(csv.data() + at, text) - csv.constData());
}

QString optionalNumber(std::optional<double> value) {
    return value ? dcp::formatGeneral(*value, kC) : QString();
}

}  // namespace

QString yieldText(std::optional<double> yield) {
    return yield ? dcp::formatFixed(*yield * 100.0, 1, kC) + QStringLiteral(" %") : kNone;
}

QStringList summaryLines(const ReportFigures& report) {
    const auto number = [](qint64 count) { return QString::number(count); };
    QStringList lines =
        lined(perStation(report,
                         {QStringLiteral("station"), QStringLiteral("attempts"), QStringLiteral("pass"),
                          QStringLiteral("fail"), QStringLiteral("error"), QStringLiteral("aborted"),
                          QStringLiteral("no board")},
                         [&](const Figures& f) {
                             QStringList cells{number(f.attempts)};
                             for (const qint64 count : f.outcomes) {
                                 cells << number(count);
                             }
                             return cells << number(f.withoutBoard);
                         }),
              true);
    lines << QString();
    lines +=
        lined(perStation(report,
                         {QStringLiteral("yield"), QStringLiteral("boards"), QStringLiteral("first-pass"),
                          QStringLiteral("final"), QStringLiteral("retests")},
                         [&](const Figures& f) {
                             return QStringList{number(f.boards), yieldText(f.firstPassYield()),
                                                yieldText(f.finalYield()), number(f.retests)};
                         }),
              true);
    lines << QString();
    lines += lined(perStation(report, {QStringLiteral("failures")},
                              [](const Figures& f) { return QStringList{failuresText(f)}; }),
                   false);
    lines << QString();
    lines += lined(
        perStation(report,
                   {QStringLiteral("chosen value"), QStringLiteral("attempts"), QStringLiteral("min"),
                    QStringLiteral("median"), QStringLiteral("max")},
                   [&](const Figures& f) {
                       const Spread& s = f.chosen;
                       if (s.count == 0) {
                           return QStringList{number(0), kNone, kNone, kNone};
                       }
                       return QStringList{number(s.count), hexText(s.min), hexText(s.median), hexText(s.max)};
                   }),
        true);
    lines << QString();
    lines += lined(perStation(report,
                              {QStringLiteral("final error (V)"), QStringLiteral("attempts"),
                               QStringLiteral("min"), QStringLiteral("median"), QStringLiteral("max"),
                               QStringLiteral("mean"), QStringLiteral("sd")},
                              [&](const Figures& f) {
                                  const Spread& s = f.finalError;
                                  if (s.count == 0) {
                                      return QStringList{number(0), kNone, kNone, kNone, kNone, kNone};
                                  }
                                  return QStringList{number(s.count),    voltText(s.min),
                                                     voltText(s.median), voltText(s.max),
                                                     voltText(s.mean),   s.sd ? voltText(*s.sd) : kNone};
                              }),
                   true);
    return lines;
}

QByteArray csvHeader() {
    return QByteArrayLiteral(
        "log,line,start,end,station,operator,board_id,attempt,tool,adapter,meter,meter_identity,basis,recipe,"
        "target,tolerance,measurements,chosen_hex,chosen_value,predicted_vcom,final_vcom,after_program,"
        "final_error,outcome,failure,programmed,reason\n");
}

void appendCsvRow(QByteArray& csv, const LogAttempt& attempt, const QString& log, qint64 line) {
    const std::optional<double> error = attempt.finalError();
    const QString fields[] = {
        log,
        QString::number(line),
        attempt.start,
        attempt.end,
        attempt.station,
        attempt.operatorName,
        attempt.boardId,
        attempt.attempt ? QString::number(*attempt.attempt) : QString(),
        attempt.tool,
        attempt.adapter,
        attempt.meter,
        attempt.meterIdentity,
        attempt.basis,
        attempt.recipe,
        optionalNumber(attempt.target),
        optionalNumber(attempt.tolerance),
        QString::number(attempt.measurements),
        attempt.chosen ? dcp::byteToHex(*attempt.chosen) : QString(),
        attempt.chosen ? QString::number(*attempt.chosen) : QString(),
        optionalNumber(attempt.predictedVcom),
        optionalNumber(attempt.finalVcom),
        optionalNumber(attempt.afterProgram),
        error ? voltText(*error) : QString(),
        outcomeName(attempt.outcome),
        attempt.failure,
        attempt.programmed ? (*attempt.programmed ? QStringLiteral("true") : QStringLiteral("false"))
                           : QString(),
        attempt.reason,
    };
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    bool first = true;
    for (const QString& field : fields) {
        if (!first) {
            csv += ',';
        }
        first = false;
        appendField(csv, utf8, field);
    }
    csv += '\n';
}

}  // namespace vcm::station::report
