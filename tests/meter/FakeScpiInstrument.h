#pragma once

#include "FakeScpiProtocol.h"
#include "FakeScpiServer.h"

#include <QThread>

namespace vcm::test {

/// The fake instrument for an in-process test: served from a thread of its own, so that the meter under
/// test may block in its waits on the test's thread.
class FakeScpiInstrument {
  public:
    FakeScpiInstrument(FakeScpiMode mode, FakeScpiProtocol::Reading reading, QByteArray lineEnd = "\n")
        : protocol_(mode, std::move(reading)), server_(new FakeScpiServer(protocol_, std::move(lineEnd))) {
        server_->moveToThread(&thread_);
        thread_.start();
    }
    ~FakeScpiInstrument() {
        // The thread deletes it as it finishes, with its sockets.
        server_->deleteLater();
        thread_.quit();
        thread_.wait();
    }
    FakeScpiInstrument(const FakeScpiInstrument&) = delete;
    FakeScpiInstrument& operator=(const FakeScpiInstrument&) = delete;

    quint16 listenTcp() {
        quint16 port = 0;
        QMetaObject::invokeMethod(
            server_, [&] { port = server_->listenTcp(); }, Qt::BlockingQueuedConnection);
        return port;
    }
    QString openPty() {
        QString path;
        QMetaObject::invokeMethod(
            server_, [&] { path = server_->openPty(); }, Qt::BlockingQueuedConnection);
        return path;
    }
    QStringList received() const { return protocol_.received(); }

  private:
    FakeScpiProtocol protocol_;
    QThread thread_;
    FakeScpiServer* server_;
};

}  // namespace vcm::test
