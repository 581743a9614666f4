#pragma once

#include "meter/scpi/LineTransport.h"

namespace vcm::meter {

/// An instrument on USB through the kernel's USBTMC driver: a write to /dev/usbtmcN is one command
/// message, a read one reply message. The driver does the USB transfers and bounds each by its own
/// timeout, which is set to the time left before each call.
///
/// A device that does not take the driver's timeout (a pseudo-terminal standing in for the node) is
/// waited on with poll() instead, and its replies are read up to their line end.
class UsbtmcTransport final : public LineTransport {
  public:
    explicit UsbtmcTransport(QString device);
    ~UsbtmcTransport() override;
    UsbtmcTransport(const UsbtmcTransport&) = delete;
    UsbtmcTransport& operator=(const UsbtmcTransport&) = delete;

    void open(QDeadlineTimer deadline) override;
    void sendLine(const QByteArray& line, QDeadlineTimer deadline) override;
    QByteArray readLine(QDeadlineTimer deadline) override;

  private:
    void setDriverTimeout(QDeadlineTimer deadline) const;
    void waitReadable(QDeadlineTimer deadline) const;
    [[noreturn]] void failWith(int error) const;

    QString device_;
    int fd_ = -1;
    bool driver_ = false;
    QByteArray buffer_;
};

}  // namespace vcm::meter
