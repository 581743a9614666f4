#pragma once

#include "meter/scpi/HostLookup.h"
#include "meter/scpi/LineTransport.h"

#include <QHostAddress>
#include <QList>
#include <QTcpSocket>

#include <cstdint>

namespace vcm::meter {

/// A raw SCPI socket (the instruments' port 5025), with QTcpSocket's blocking waits. A host name is
/// looked up by the deadline (lookUpHost), and each of its addresses tried in turn.
class TcpTransport final : public LineTransport {
  public:
    TcpTransport(QString host, std::uint16_t port, HostResolver resolve = systemHostResolver);

    void open(QDeadlineTimer deadline) override;
    void sendLine(const QByteArray& line, QDeadlineTimer deadline) override;
    QByteArray readLine(QDeadlineTimer deadline) override;

  private:
    /// The host's addresses: itself when it is one, else looked up by the deadline.
    QList<QHostAddress> lookUp(QDeadlineTimer deadline) const;
    [[noreturn]] void fail() const;

    QString host_;
    std::uint16_t port_;
    HostResolver resolve_;
    QTcpSocket socket_;
    QByteArray buffer_;
};

}  // namespace vcm::meter
