#pragma once

#include "meter/scpi/LineTransport.h"

#include <QSerialPort>

#include <cstdint>

namespace vcm::meter {

/// An instrument on a serial line, 8 data bits, no parity, one stop bit, no flow control, with
/// QSerialPort's blocking waits. Commands end with LF; a reply may end with LF or CR LF.
class SerialTransport final : public LineTransport {
  public:
    SerialTransport(QString device, std::int32_t baud);

    void open(QDeadlineTimer deadline) override;
    void sendLine(const QByteArray& line, QDeadlineTimer deadline) override;
    QByteArray readLine(QDeadlineTimer deadline) override;

  private:
    [[noreturn]] void fail() const;

    QString device_;  ///< as given: the port's own name drops the /dev/
    QSerialPort port_;
    std::int32_t baud_;
    QByteArray buffer_;
};

}  // namespace vcm::meter
