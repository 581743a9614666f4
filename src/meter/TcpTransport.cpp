#include "meter/TcpTransport.h"

namespace vcm {

TcpTransport::TcpTransport(QString host, std::uint16_t port) : host_(std::move(host)), port_(port) {}

void TcpTransport::open(QDeadlineTimer deadline) {
    socket_.connectToHost(host_, port_);
    if (!socket_.waitForConnected(remainingMilliseconds(deadline))) {
        if (socket_.error() == QAbstractSocket::SocketTimeoutError) {
            throw LinkFailure{LinkFailure::Kind::TimedOut, {}};
        }
        throw LinkFailure{LinkFailure::Kind::Failed,
                          QStringLiteral("cannot connect (%1)").arg(socket_.errorString())};
    }
    // A command is one small packet; waiting to fill a segment would only delay the meter.
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
}

void TcpTransport::sendLine(const QByteArray& line, QDeadlineTimer deadline) {
    if (socket_.state() != QAbstractSocket::ConnectedState) {
        throw LinkFailure{LinkFailure::Kind::Closed, QStringLiteral("the connection was closed")};
    }
    socket_.write(line + '\n');
    while (socket_.bytesToWrite() > 0) {
        if (!socket_.waitForBytesWritten(remainingMilliseconds(deadline))) {
            fail();
        }
    }
}

QByteArray TcpTransport::readLine(QDeadlineTimer deadline) {
    for (;;) {
        buffer_ += socket_.readAll();
        if (std::optional<QByteArray> line = takeLine(buffer_)) {
            return *line;
        }
        if (socket_.state() != QAbstractSocket::ConnectedState) {
            throw LinkFailure{LinkFailure::Kind::Closed, QStringLiteral("the connection was closed")};
        }
        if (!socket_.waitForReadyRead(remainingMilliseconds(deadline))) {
            buffer_ += socket_.readAll();
            if (std::optional<QByteArray> line = takeLine(buffer_)) {
                return *line;
            }
            fail();
        }
    }
}

void TcpTransport::fail() const {
    switch (socket_.error()) {
        case QAbstractSocket::SocketTimeoutError:
            throw LinkFailure{LinkFailure::Kind::TimedOut, {}};
        case QAbstractSocket::RemoteHostClosedError:
            throw LinkFailure{LinkFailure::Kind::Closed, QStringLiteral("the connection was closed")};
        default:
            throw LinkFailure{LinkFailure::Kind::Failed, socket_.errorString()};
    }
}

}  // namespace vcm
