#include "station/LogFile.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vcm::station {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

LogFailure logFailure(const QString& path, const QString& what, const QString& why) {
    return LogFailure{QStringLiteral("log: cannot %1 '%2' (%3)").arg(what, path, why)};
}

/// Takes back the `written` bytes of a line that went to the file only in part, so that the next line
/// does not join it; only while they are still the file's end (no other station appended after them).
void takeBack(int descriptor, ssize_t written) {
    const off_t end = ::lseek(descriptor, 0, SEEK_CUR);
    struct stat status {};
    if (end >= written && ::fstat(descriptor, &status) == 0 && status.st_size == end) {
        (void)::ftruncate(descriptor, end - written);
    }
}

}  // namespace

LogFile::LogFile(QString path) : path_(std::move(path)) {
    // Past a file size limit a write is to fail (and be taken back), not to end the tool.
    std::signal(SIGXFSZ, SIG_IGN);
    handle_ = ::open(QFile::encodeName(path_).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (handle_ < 0) {
        throw logFailure(path_, QStringLiteral("open"), systemError(errno));
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
    errno = 0;
    const ssize_t written = ::write(descriptor, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (written != bytes.size()) {
        const int error = errno;
        if (written > 0) {
            takeBack(descriptor, written);
        }
        throw logFailure(path_, QStringLiteral("write to"),
                         written < 0 ? systemError(error)
                                     : QStringLiteral("only %1 of %2 bytes went in; the part was taken back")
                                           .arg(written)
                                           .arg(bytes.size()));
    }
    // A pipe or a FIFO cannot be flushed to a disk (EINVAL); its reader has the line.
    if (::fsync(descriptor) != 0 && errno != EINVAL) {
        throw LogFailure{
            QStringLiteral("log: the line went to '%1' but could not be flushed to the disk (%2)")
                .arg(path_, systemError(errno))};
    }
}

}  // namespace vcm::station
