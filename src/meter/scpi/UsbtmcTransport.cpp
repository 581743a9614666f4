#include "meter/scpi/UsbtmcTransport.h"

#include <QFile>

#include <fcntl.h>
#include <linux/usb/tmc.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vcm::meter {

namespace {

// The driver refuses timeouts below this.
constexpr int kDriverMinimumMilliseconds = 100;
constexpr qsizetype kReadSize = 4096;

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace

UsbtmcTransport::UsbtmcTransport(QString device) : device_(std::move(device)) {}

UsbtmcTransport::~UsbtmcTransport() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void UsbtmcTransport::open(QDeadlineTimer) {
    // Opening the node does not talk to the instrument, so it cannot hang.
    fd_ = ::open(QFile::encodeName(device_).constData(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) {
        const int error = errno;
        QString reason = QStringLiteral("cannot open %1 (%2)").arg(device_, systemError(error));
        if (error == EACCES) {
            reason += QStringLiteral("; a udev rule gives your user the USBTMC devices");
        }
        throw LinkFailure{LinkFailure::Kind::Failed, reason};
    }
    unsigned int milliseconds = 0;
    driver_ = ::ioctl(fd_, USBTMC_IOCTL_GET_TIMEOUT, &milliseconds) == 0;
}

void UsbtmcTransport::setDriverTimeout(QDeadlineTimer deadline) const {
    if (!driver_) {
        return;
    }
    const int left = std::max(remainingMilliseconds(deadline), kDriverMinimumMilliseconds);
    auto milliseconds = static_cast<unsigned int>(left);
    if (::ioctl(fd_, USBTMC_IOCTL_SET_TIMEOUT, &milliseconds) != 0) {
        failWith(errno);
    }
}

void UsbtmcTransport::waitReadable(QDeadlineTimer deadline) const {
    for (;;) {
        pollfd entry{fd_, POLLIN, 0};
        const int ready = ::poll(&entry, 1, remainingMilliseconds(deadline));
        if (ready > 0) {
            return;  // readable, or hung up: the read says which
        }
        if (ready == 0) {
            throw LinkFailure{LinkFailure::Kind::TimedOut, {}};
        }
        if (errno != EINTR) {
            failWith(errno);
        }
    }
}

void UsbtmcTransport::sendLine(const QByteArray& line, QDeadlineTimer deadline) {
    setDriverTimeout(deadline);
    const QByteArray message = line + '\n';
    qsizetype sent = 0;
    while (sent < message.size()) {
        const ssize_t n =
            ::write(fd_, message.constData() + sent, static_cast<size_t>(message.size() - sent));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            failWith(errno);
        }
        sent += n;
    }
}

QByteArray UsbtmcTransport::readLine(QDeadlineTimer deadline) {
    for (;;) {
        if (std::optional<QByteArray> line = takeLine(buffer_)) {
            return *line;
        }
        throwIfExpired(deadline);
        if (driver_) {
            setDriverTimeout(deadline);
        } else {
            waitReadable(deadline);
        }
        char chunk[kReadSize];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            failWith(errno);
        }
        if (n == 0) {
            throw LinkFailure{LinkFailure::Kind::Closed, QStringLiteral("the device went away")};
        }
        buffer_.append(chunk, n);
        // The driver hands over one whole message per read, ended or not by a line end; its end ends
        // the reply as a line end would (and the reply is held to the same length).
        if (driver_ && n < kReadSize && !buffer_.contains('\n')) {
            buffer_.append('\n');
        }
    }
}

void UsbtmcTransport::failWith(int error) const {
    switch (error) {
        case ETIMEDOUT:
            throw LinkFailure{LinkFailure::Kind::TimedOut, {}};
        case EIO:
        case ENODEV:
        case ESHUTDOWN:
            throw LinkFailure{LinkFailure::Kind::Closed, QStringLiteral("the device went away")};
        default:
            throw LinkFailure{LinkFailure::Kind::Failed, systemError(error)};
    }
}

}  // namespace vcm::meter
