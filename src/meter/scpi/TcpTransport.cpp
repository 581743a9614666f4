#include "meter/scpi/TcpTransport.h"

#include <optional>

namespace vcm::meter {

TcpTransport::TcpTransport(QString host, std::uint16_t port, HostResolver resolve)
    : host_(std::move(host)), port_(port), resolve_(std::move(resolve)) {
    // What a peer that never ends its line can make the socket hold before readLine() refuses it.
    socket_.setReadBufferSize(kLongestReply);
}

void TcpTransport::open(QDeadlineTimer deadline) {
    const QList<QHostAddress> addresses = lookUp(deadline);
    QString lastError;
    for (const QHostAddress& address : addresses) {
        socket_.connectToHost(address, port_);
        if (socket_.waitForConnected(remainingMilliseconds(deadline))) {
            // A command is one small packet; waiting to fill a segment would only delay the meter.
            socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
            return;
        }
        if (socket_.error() == QAbstractSocket::SocketTimeoutError) {
            throw LinkFailure{LinkFailure::Kind::TimedOut, {}};
        }
        lastError = socket_.errorString();
        socket_.abort();
    }
    throw LinkFailure{LinkFailure::Kind::Failed, QStringLiteral("cannot connect (%1)").arg(lastError)};
}

QList<QHostAddress> TcpTransport::lookUp(QDeadlineTimer deadline) const {
    const QHostAddress literal(host_);
    if (!literal.isNull()) {
        return {literal};
    }
    // QTcpSocket's own blocking wait looks a name up with no bound, and QHostInfo's lookups are waited
    // for when the program ends; this lookup ends by the deadline and leaves nothing to wait for.
    return lookUpHost(host_, deadline, resolve_);
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
        throwIfExpired(deadline);
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

}  // namespace vcm::meter
