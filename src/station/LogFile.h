#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <utility>

namespace vcm::station {

/// A station log that cannot be opened or written; `message` names the file and says why.
struct LogFailure {
    explicit LogFailure(QString text) : message(std::move(text)) {}

    QString message;
};

/// The station log's file, the platform's part of it: opened for appending, each line written in one
/// append and flushed to the disk (POSIX: O_APPEND and fsync; Windows: FILE_APPEND_DATA and
/// FlushFileBuffers), so that lines of stations sharing the file never mix.
class LogFile {
  public:
    /// Opens (creates) the file; throws a LogFailure when it cannot.
    explicit LogFile(QString path);
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    /// Writes `bytes` at the end of the file in one append and flushes them to the disk; throws a
    /// LogFailure when it cannot.
    void append(const QByteArray& bytes);

  private:
    QString path_;
    std::intptr_t handle_ = -1;
};

}  // namespace vcm::station
