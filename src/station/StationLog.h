#pragma once

#include "station/JsonObject.h"
#include "station/LogFile.h"

#include <QString>

namespace vcm::station {

/// A test station's log: one JSON line per board, appended. The file is opened before anything touches
/// the bus, so a log that cannot be written stops the trim before it reaches a board. Each line goes to
/// the file in one append and is flushed to the disk before the tool goes on, so that a line is whole or
/// absent whenever the tool is killed, and lines of stations sharing the file never mix.
class StationLog {
  public:
    /// Opens (creates) the file; throws a LogFailure when it cannot.
    explicit StationLog(const QString& path);

    /// Appends the object as one line; throws a LogFailure when it cannot.
    void append(const JsonObject& line);

  private:
    LogFile file_;
};

/// The time now as the log writes it: ISO 8601 in UTC with milliseconds ("2026-12-07T23:05:06.123Z").
QString logTimeNow();

}  // namespace vcm::station
