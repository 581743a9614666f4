#pragma once

#include "meter/LineTransport.h"

#include <QTcpSocket>

#include <cstdint>

namespace vcm {

/// A raw SCPI socket (the instruments' port 5025), with QTcpSocket's blocking waits.
class TcpTransport final : public LineTransport {
  public:
    TcpTransport(QString host, std::uint16_t port);

    void open(QDeadlineTimer deadline) override;
    void sendLine(const QByteArray& line, QDeadlineTimer deadline) override;
    QByteArray readLine(QDeadlineTimer deadline) override;

  private:
    [[noreturn]] void fail() const;

    QString host_;
    std::uint16_t port_;
    QTcpSocket socket_;
    QByteArray buffer_;
};

}  // namespace vcm
