#include "meter/scpi/SerialTransport.h"

#include <QSerialPort>

namespace vcm::meter {

struct SerialTransport::Port {
    QSerialPort serial;

    [[noreturn]] void fail() const;
};

SerialTransport::SerialTransport(QString device, std::int32_t baud)
    : device_(std::move(device)), baud_(baud), port_(std::make_unique<Port>()) {
    port_->serial.setPortName(device_);
    // What a peer that never ends its line can make the port hold before readLine() refuses it.
    port_->serial.setReadBufferSize(kLongestReply);
}

SerialTransport::~SerialTransport() = default;

void SerialTransport::open(QDeadlineTimer) {
    // Opening a serial device does not wait for the other end, so there is nothing to bound here.
    if (!port_->serial.open(QIODevice::ReadWrite)) {
        throw LinkFailure{LinkFailure::Kind::Failed,
                          QStringLiteral("cannot open %1 (%2)").arg(device_, port_->serial.errorString())};
    }
    const bool set = port_->serial.setBaudRate(baud_) && port_->serial.setDataBits(QSerialPort::Data8) &&
                     port_->serial.setParity(QSerialPort::NoParity) &&
                     port_->serial.setStopBits(QSerialPort::OneStop) &&
                     port_->serial.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        throw LinkFailure{LinkFailure::Kind::Failed, QStringLiteral("cannot set %1 to %2 baud 8N1 (%3)")
                                                         .arg(device_)
                                                         .arg(baud_)
                                                         .arg(port_->serial.errorString())};
    }
    // Whatever the meter sent before we listened is no answer to our commands.
    port_->serial.clear();
}

void SerialTransport::sendLine(const QByteArray& line, QDeadlineTimer deadline) {
    if (port_->serial.write(line + '\n') < 0) {
        port_->fail();
    }
    while (port_->serial.bytesToWrite() > 0) {
        if (!port_->serial.waitForBytesWritten(remainingMilliseconds(deadline))) {
            port_->fail();
        }
    }
}

QByteArray SerialTransport::readLine(QDeadlineTimer deadline) {
    for (;;) {
        buffer_ += port_->serial.readAll();
        if (std::optional<QByteArray> line = takeLine(buffer_)) {
            return *line;
        }
        if (!port_->serial.isOpen()) {
            throw LinkFailure{LinkFailure::Kind::Closed, QStringLiteral("the device went away")};
        }
        throwIfExpired(deadline);
        if (!port_->serial.waitForReadyRead(remainingMilliseconds(deadline))) {
            buffer_ += port_->serial.readAll();
            if (std::optional<QByteArray> line = takeLine(buffer_)) {
                return *line;
            }
            port_->fail();
        }
    }
}

void SerialTransport::Port::fail() const {
    switch (serial.error()) {
        case QSerialPort::TimeoutError:
        case QSerialPort::NoError:
            throw LinkFailure{LinkFailure::Kind::TimedOut, {}};
        // A line whose other end hung up fails its read (a pseudo-terminal) or vanishes (a USB adapter
        // pulled out); the error text of the first is a stale one that would only mislead.
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError:
            throw LinkFailure{LinkFailure::Kind::Closed, QStringLiteral("the device went away")};
        default:
            throw LinkFailure{LinkFailure::Kind::Failed, serial.errorString()};
    }
}

}  // namespace vcm::meter
