#include "FakeScpiServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace vcm::test {

namespace {

constexpr qsizetype kFloodChunk = 64 * 1024;
constexpr qint64 kFloodBytes = 32 * 1024 * 1024;

}  // namespace

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
            // A flood offers more than a peer that stopped reading takes: the socket holds a chunk at most.
            const Send send = [socket](const QByteArray& bytes) {
                return socket->bytesToWrite() < kFloodChunk ? socket->write(bytes) : 0;
            };
            if (!handleLines(*buffer, send, socket)) {
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
    // A flood fills the terminal's buffer once the meter stops reading; it must not block this thread.
    if (::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK) != 0) {
        return {};
    }
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
    if (n < 0 && errno == EAGAIN) {
        return;
    }
    if (n <= 0) {
        closePty();
        return;
    }
    ptyBuffer_.append(chunk, n);
    const int master = master_;
    const Send send = [master](const QByteArray& bytes) -> qint64 {
        // A pseudo-terminal takes a short reply whole.
        const ssize_t sent = ::write(master, bytes.constData(), static_cast<size_t>(bytes.size()));
        return sent > 0 ? sent : 0;
    };
    if (!handleLines(ptyBuffer_, send, notifier_.get())) {
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

bool FakeScpiServer::handleLines(QByteArray& buffer, const Send& send, QObject* link) {
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
            send(*answer.reply + lineEnd_);
        }
        if (answer.stream != FakeScpiStream::None) {
            startStream(answer.stream, send, link);
        }
    }
    return true;
}

void FakeScpiServer::startStream(FakeScpiStream stream, const Send& send, QObject* link) {
    auto* timer = new QTimer(link);
    if (stream == FakeScpiStream::Trickle) {
        QObject::connect(timer, &QTimer::timeout, timer, [send] { send("7"); });
        timer->start(10);
        return;
    }
    QObject::connect(timer, &QTimer::timeout, timer, [timer, send, sent = qint64{0}]() mutable {
        const QByteArray chunk(kFloodChunk, '7');
        for (qint64 taken = 1; taken > 0 && sent < kFloodBytes; sent += taken) {
            taken = send(chunk);
        }
        if (sent >= kFloodBytes) {
            timer->stop();
        }
    });
    timer->start(1);
}

}  // namespace vcm::test
