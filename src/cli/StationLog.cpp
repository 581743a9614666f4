#include "cli/StationLog.h"

#include "cli/CommandFailure.h"

#include <QDateTime>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace vcm::cli {

namespace {

CommandFailure logFailure(const QString& path, const QString& what) {
    return {kExitFailed, QStringLiteral("log: cannot %1 '%2' (%3)")
                             .arg(what, path, QString::fromLocal8Bit(std::strerror(errno)))};
}

}  // namespace

StationLog::StationLog(const QString& path) : path_(path) {
    descriptor_ =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor_ < 0) {
        throw logFailure(path_, QStringLiteral("open"));
    }
}

StationLog::~StationLog() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

void StationLog::append(const JsonObject& line) {
    const QByteArray bytes = (line.toText() + u'\n').toUtf8();
    // One write: in append mode the kernel puts it at the end whole, whoever else appends.
    const ssize_t written = ::write(descriptor_, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (written != bytes.size()) {
        throw logFailure(path_, QStringLiteral("write to"));
    }
    if (::fsync(descriptor_) != 0) {
        throw logFailure(path_, QStringLiteral("flush"));
    }
}

QString logTimeNow() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

}  // namespace vcm::cli
