#include "meter/scpi/SerialTransport.h"

namespace vcm::meter {

SerialTransport::SerialTransport(QString device, std::int32_t baud)
    : device_(std::move(device)), baud_(baud) {
    port_.setPortName(device_);
    // What a peer that never ends its line can make the port hold before readLine() refuses it.
    port_.setReadBufferSize(kLongestReply);
}

void SerialTransport::open(QDeadlineTimer) {
    // Opening a serial device does not wait for the other end, so there is nothing to bound here.
    if (!port_.open(QIODevice::ReadWrite)) {
        throw LinkFailure{LinkFailure::Kind::Failed,
                          QStringLiteral("cannot open %1 (%2)").arg(device_, port_.errorString())};
    }
    const bool set = port_.setBaudRate(baud_) && port_.setDataBits(QSerialPort::Data8) &&
                     port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                     port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        throw LinkFailure{LinkFailure::Kind::Failed, QStringLiteral("cannot set %1 to %2 baud 8N1 (%3)")
                                                         .arg(device_)
                                                         .arg(baud_)
                                                         .arg(port_.errorString())};
    }
    // Whatever the meter sent before we listened is no answer to our commands.
    port_.clear();
}

void SerialTransport::sendLine(const QByteArray& line, QDeadlineTimer deadline) {
    if (port_.write(line + '\n') < 0) {
        fail();
    }
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(remainingMilliseconds(deadline))) {
            fail();
        }
    }
}

QByteArray SerialTransport::readLine(QDeadlineTimer deadline) {
    for (;;) {
        buffer_ += port_.readAll();
        if (std::optional<QByteArray> line = takeLine(buffer_)) {
            return *line;
        }
        if (!port_.isOpen()) {
            throw LinkFailure{LinkFailure::Kind::Closed, QStringLiteral("the device went away")};
        }
        throwIfExpired(deadline);
        if (!port_.waitForReadyRead(remainingMilliseconds(deadline))) {
            buffer_ += port_.readAll();
            if (std::optional<QByteArray> line = takeLine(buffer_)) {
                return *line;
            }
            fail();
        }
    }
}

void SerialTransport::fail() const {
    switch (port_.error()) {
        case QSerialPort::TimeoutError:
        case QSerialPort::NoError:
            throw LinkFailure{LinkFailure::Kind::TimedOut, {}};
        // A line whose other end hung up fails its read (a pseudo-terminal) or vanishes (a USB adapter
        // pulled out); the error text of the first is a stale one that would only mislead.
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError:
            throw LinkFailure{LinkFailure::Kind::Closed, QStringLiteral("the device went away")};
        default:
            throw LinkFailure{LinkFailure::Kind::Failed, port_.errorString()};
    }
}

}  // namespace vcm::meter
