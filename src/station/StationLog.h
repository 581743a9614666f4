#pragma once

#include "station/JsonObject.h"
#include "station/LogFile.h"

#include <QHash>
#include <QString>

namespace vcm::station {

/// What the log holds of one board: how many attempts, and whether one passed.
struct BoardHistory {
    int attempts = 0;
    bool passed = false;
    QString lastPass;  ///< the end (or time) of the last passing attempt
};

/// A test station's log: one JSON line per attempt, appended. The file is opened before anything touches
/// the bus, so a log that cannot be written stops the trim before it reaches a board. Each line goes to
/// the file in one append and is flushed to the disk before the tool goes on, so that a line is whole or
/// absent whenever the tool is killed, and lines of stations sharing the file never mix.
class StationLog {
  public:
    /// Opens (creates) the file; throws a LogFailure when it cannot.
    explicit StationLog(const QString& path);

    /// Appends the object as one line; throws a LogFailure when it cannot (see LogFile::append).
    void append(const JsonObject& line);

    /// The board's attempts in the log so far, whoever wrote them: the lines added since the last call
    /// are read first. Lines that are not a record are passed over.
    BoardHistory history(const QString& boardId);

  private:
    void readNewLines();

    QString path_;
    LogFile file_;
    qint64 readUpTo_ = 0;
    QHash<QString, BoardHistory> boards_;
};

/// A time as the log writes it: ISO 8601 in UTC with milliseconds ("2026-12-07T23:05:06.123Z").
QString logTimeNow();

}  // namespace vcm::station
