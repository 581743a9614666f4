#include "station/LogFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace vcm::station {

namespace {

LogFailure logFailure(const QString& path, const QString& what) {
    return LogFailure{QStringLiteral("log: cannot %1 '%2' (%3)")
                          .arg(what, path, QString::fromLocal8Bit(std::strerror(errno)))};
}

}  // namespace

LogFile::LogFile(QString path) : path_(std::move(path)) {
    handle_ = ::open(QFile::encodeName(path_).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (handle_ < 0) {
        throw logFailure(path_, QStringLiteral("open"));
    }
}

LogFile::~LogFile() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
    }
}

void LogFile::append(const QByteArray& bytes) {
    const int descriptor = static_cast<int>(handle_);
    // One write: in append mode the kernel puts it at the end whole, whoever else appends.
    const ssize_t written = ::write(descriptor, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (written != bytes.size()) {
        throw logFailure(path_, QStringLiteral("write to"));
    }
    if (::fsync(descriptor) != 0) {
        throw logFailure(path_, QStringLiteral("flush"));
    }
}

}  // namespace vcm::station
