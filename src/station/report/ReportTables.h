#pragma once

// A report as tables: the summary a line engineer reads on the terminal, and one CSV row per attempt for
// a manufacturing execution system to import.

#include "station/report/LogAttempt.h"
#include "station/report/StationReport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace vcm::station::report {

/// The summary: a table of counts, yields and retests (a row per station and the total), the failure
/// codes of each, and the spread of the chosen values and of the final error. Columns lined up.
QStringList summaryLines(const ReportFigures& figures);

/// A yield as the summary writes it: "92.5 %", or "-" without boards.
QString yieldText(std::optional<double> yield);

/// The CSV's header line, with its line end.
QByteArray csvHeader();
/// Appends the CSV row of `attempt`, read from line `line` of `log`, with its line end. Text is quoted
/// where it must be (RFC 4180); numbers are written as the log writes them (15 significant digits at
/// most), the final error in volts with six decimals.
void appendCsvRow(QByteArray& csv, const LogAttempt& attempt, const QString& log, qint64 line);

}  // namespace vcm::station::report
