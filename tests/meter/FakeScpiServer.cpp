#include "FakeScpiServer.h"

#include <QTcpSocket>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace vcm::test {

FakeScpiServer::FakeScpiServer(FakeScpiProtocol& protocol, QByteArray lineEnd)
    : protocol_(protocol), lineEnd_(std::move(lineEnd)), server_(this) {
    QObject::connect(&server_, &QTcpServer::newConnection, this, &FakeScpiServer::serveConnection);
}

FakeScpiServer::~FakeScpiServer() {
    closePty();
}

quint16 FakeScpiServer::listenTcp() {
    if (!server_.listen(QHostAddress::LocalHost, 0)) {
        return 0;
    }
    return server_.serverPort();
}

void FakeScpiServer::serveConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            *buffer += socket->readAll();
            if (!handleLines(*buffer, [socket](const QByteArray& bytes) { socket->write(bytes); })) {
                socket->disconnectFromHost();
            }
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

QString FakeScpiServer::openPty() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        return {};
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        return {};
    }
    const QString path = QString::fromLocal8Bit(name);
    // Held open so that the master does not read as hung up before the meter opens its side, and made raw
    // so that nothing is echoed or translated (a serial port sets its own mode on open, a device node
    // standing in for USBTMC does not).
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (slave_ < 0 || ::tcgetattr(slave_, &mode) != 0) {
        return {};
    }
    ::cfmakeraw(&mode);
    if (::tcsetattr(slave_, TCSANOW, &mode) != 0) {
        return {};
    }
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, &FakeScpiServer::readPty);
    return path;
}

void FakeScpiServer::readPty() {
    char chunk[512];
    const ssize_t n = ::read(master_, chunk, sizeof chunk);
    if (n <= 0) {
        closePty();
        return;
    }
    ptyBuffer_.append(chunk, n);
    const int master = master_;
    if (!handleLines(ptyBuffer_, [master](const QByteArray& bytes) {
            // A pseudo-terminal takes a short reply whole.
            (void)!::write(master, bytes.constData(), static_cast<size_t>(bytes.size()));
        })) {
        closePty();
    }
}

void FakeScpiServer::closePty() {
    notifier_.reset();
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

bool FakeScpiServer::handleLines(QByteArray& buffer, const std::function<void(const QByteArray&)>& write) {
    for (qsizetype end = buffer.indexOf('\n'); end >= 0; end = buffer.indexOf('\n')) {
        QByteArray line = buffer.left(end);
        buffer.remove(0, end + 1);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        const FakeScpiProtocol::Answer answer = protocol_.answer(line);
        if (answer.close) {
            return false;
        }
        if (answer.reply) {
            write(*answer.reply + lineEnd_);
        }
    }
    return true;
}

}  // namespace vcm::test
