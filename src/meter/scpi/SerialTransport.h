#pragma once

#include "meter/scpi/LineTransport.h"

#include <cstdint>
#include <memory>

namespace vcm::meter {

/// An instrument on a serial line, 8 data bits, no parity, one stop bit, no flow control. Commands end
/// with LF; a reply may end with LF or CR LF. The port is the platform's (POSIX: QSerialPort on a device
/// such as /dev/ttyUSB0; Windows: Win32's own on COMn).
class SerialTransport final : public LineTransport {
  public:
    SerialTransport(QString device, std::int32_t baud);
    ~SerialTransport() override;

    void open(QDeadlineTimer deadline) override;
    void sendLine(const QByteArray& line, QDeadlineTimer deadline) override;
    QByteArray readLine(QDeadlineTimer deadline) override;

  private:
    struct Port;

    QString device_;  ///< as given: the messages name it so
    std::int32_t baud_;
    std::unique_ptr<Port> port_;
    QByteArray buffer_;
};

}  // namespace vcm::meter
