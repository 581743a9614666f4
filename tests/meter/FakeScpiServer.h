#pragma once

#include "FakeScpiProtocol.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTcpServer>

#include <functional>

#include <memory>

namespace vcm::test {

/// Serves a FakeScpiProtocol on 127.0.0.1 (an ephemeral port) and on the master side of a pseudo-terminal,
/// one command per line. Answers from the event loop of the thread it lives in (moving it moves its
/// listening socket too).
class FakeScpiServer : public QObject {
  public:
    FakeScpiServer(FakeScpiProtocol& protocol, QByteArray lineEnd);
    ~FakeScpiServer() override;

    /// Starts listening and returns the port; 0 when it cannot.
    quint16 listenTcp();
    /// Opens a raw pseudo-terminal pair and returns the slave's path, which stands in for a device node;
    /// empty when it cannot.
    QString openPty();

  private:
    void serveConnection();
    void readPty();
    void closePty();
    /// Sends what the link takes now without blocking; returns how many bytes that was.
    using Send = std::function<qint64(const QByteArray&)>;
    /// Feeds the complete lines in `buffer` to the protocol; returns false when the connection is to close.
    /// A reply that never ends is sent from a timer owned by `link`, so it stops when the link goes.
    bool handleLines(QByteArray& buffer, const Send& send, QObject* link);
    static void startStream(FakeScpiStream stream, const Send& send, QObject* link);

    FakeScpiProtocol& protocol_;
    QByteArray lineEnd_;
    QTcpServer server_;
    int master_ = -1;
    int slave_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QByteArray ptyBuffer_;
};

}  // namespace vcm::test
