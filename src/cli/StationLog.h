#pragma once

#include "cli/JsonObject.h"

#include <QString>

namespace vcm::cli {

/// A test station's log: one JSON line per board, appended. The file is opened before anything touches
/// the bus, so a log that cannot be written stops the trim before it reaches a board. Each line goes to
/// the file in one write in append mode and is flushed to the disk before the tool goes on, so that a
/// line is whole or absent whenever the tool is killed, and lines of stations sharing the file never mix.
class StationLog {
  public:
    /// Opens (creates) the file; throws a CommandFailure (exit 1) when it cannot.
    explicit StationLog(const QString& path);
    ~StationLog();
    StationLog(const StationLog&) = delete;
    StationLog& operator=(const StationLog&) = delete;

    /// Appends the object as one line; throws a CommandFailure (exit 1) when it cannot.
    void append(const JsonObject& line);

  private:
    QString path_;
    int descriptor_ = -1;
};

/// The time now as the log writes it: ISO 8601 in UTC with milliseconds ("2026-12-07T23:05:06.123Z").
QString logTimeNow();

}  // namespace vcm::cli
