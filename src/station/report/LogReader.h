#pragma once

// Reading station logs: one JSON object per line, one line per trim attempt, in the current format or the
// older one (with "time" and "result"). A line that is not an attempt is reported, never fatal.

#include "station/report/LogAttempt.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <functional>
#include <variant>

namespace vcm::station::report {

/// Why a line is not an attempt, in a few words ("not JSON: unterminated string").
struct LineProblem {
    QString text;
};

/// Reads one line (its line end may be left on). It is an attempt when it is a JSON object with a start
/// ("start", or "time" in older logs) in ISO 8601 and an outcome ("outcome", or "result" in older logs);
/// a known member of the wrong type makes it malformed too, and unknown members are ignored. Unless
/// `everything`, the texts that only the CSV shows (end, operator, tool, adapter, meter, meterIdentity,
/// basis, recipe, reason) are left empty; their types are checked either way.
std::variant<LogAttempt, LineProblem> readLogLine(QByteArrayView line, bool everything = true);

/// Milliseconds since 1970 UTC of an ISO 8601 time ("2026-12-09T05:05:06.076Z"), unset when it is none.
std::optional<qint64> isoTimeMs(const QString& text);

/// Where the lines of a log go as they are read; lines are counted from 1, blank lines skipped.
struct LogVisitor {
    std::function<void(const LogAttempt& attempt, qint64 line)> attempt;
    std::function<void(qint64 line, const QString& problem)> malformed;
};

/// What reading a whole log found: its lines, and the device's error when it could not be read to its end.
struct LogReading {
    qint64 lines = 0;
    QString error;
};

/// Reads `device` to its end, line by line, a last line without a line end too; `everything` as for
/// readLogLine.
LogReading readLog(QIODevice& device, const LogVisitor& visitor, bool everything = true);

}  // namespace vcm::station::report
