#include "adapter/linux/I2cDevAdapter.h"

#include "adapter/linux/I2cDevText.h"
#include "adapter/trace/TraceFormat.h"

#include <QFile>

#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <utility>

namespace vcm::adapter {

namespace {

constexpr std::uint8_t kLastSevenBitAddress = 0x7F;

/// Sends the messages as one transfer (one stop at the end); the errno value on failure, 0 on success.
int transfer(int fd, i2c_msg* messages, unsigned count) {
    i2c_rdwr_ioctl_data request{messages, count};
    const int done = ::ioctl(fd, I2C_RDWR, &request);
    if (done < 0) {
        return errno;
    }
    // The kernel reports the messages it completed; fewer than asked is a failed transfer too.
    return done == static_cast<int>(count) ? 0 : EIO;
}

/// The kernel's answer when the adapter behind an open node has been removed (a bridge unplugged).
bool adapterGone(int error) {
    return error == ENODEV || error == ESHUTDOWN;
}

}  // namespace

I2cDevAdapter::I2cDevAdapter(I2cBusLocator locate, Sink problems, Sink notes)
    : locate_(std::move(locate)), problems_(std::move(problems)), notes_(std::move(notes)) {
    // Either may be left out (no trace, say); calling an empty one would throw.
    for (Sink* sink : {&problems_, &notes_}) {
        if (!*sink) {
            *sink = [](const QString&) {};
        }
    }
}

I2cDevAdapter::~I2cDevAdapter() {
    closeBus();
}

void I2cDevAdapter::closeBus() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void I2cDevAdapter::failed(int error) {
    // The kernel cannot finish removing an unplugged bridge while a handle to its bus is open (its
    // unplugging waits for the last one), and a bridge plugged in again would get another bus number.
    if (adapterGone(error)) {
        closeBus();
    }
}

std::int16_t I2cDevAdapter::crvHID_connect() {
    // A replugged bridge is a new device behind the same (or, for auto, another) node: start afresh, and
    // never keep two handles.
    closeBus();
    QString problem;
    const std::optional<QString> node = locate_(problem);
    if (!node) {
        problems_(problem);
        return adapterResult::kNoAdapterFound;
    }
    const int fd = ::open(QFile::encodeName(*node).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        problems_(i2cConnectFailure(*node, I2cConnectStep::Open, errno));
        return adapterResult::kNoAdapterFound;
    }
    unsigned long functions = 0;
    if (::ioctl(fd, I2C_FUNCS, &functions) < 0) {
        const int error = errno;
        ::close(fd);
        problems_(i2cConnectFailure(*node, I2cConnectStep::Functions, error));
        return adapterResult::kNoAdapterFound;
    }
    if ((functions & I2C_FUNC_I2C) == 0) {
        ::close(fd);
        problems_(i2cConnectFailure(*node, I2cConnectStep::PlainI2c, 0));
        return adapterResult::kNoAdapterFound;
    }
    fd_ = fd;
    return adapterResult::kAdapterOpen;
}

std::int16_t I2cDevAdapter::crvHID_indicateSelectedModule(std::int16_t& /*module*/) {
    return adapterResult::kCallDone;
}

std::int16_t I2cDevAdapter::crvHID_setGPIOConfiguration(std::uint8_t& /*first*/, std::uint8_t& /*second*/,
                                                        std::int32_t& /*mask*/, std::int16_t& /*module*/) {
    return adapterResult::kCallDone;
}

QString I2cDevAdapter::refusal(std::uint8_t deviceAddress, std::uint8_t count, const ByteArray& data) const {
    if (count == 0 || data.size() < count) {
        return QStringLiteral("count %1 with %2 data bytes").arg(count).arg(data.size());
    }
    // An 8-bit value would be shifted by the bus driver and lose its top bit: another device.
    if (deviceAddress > kLastSevenBitAddress) {
        return traceByte(deviceAddress) + QStringLiteral(" is not a 7-bit I2C address");
    }
    if (fd_ < 0) {
        return QStringLiteral("no bus is open");
    }
    return {};
}

std::int16_t I2cDevAdapter::crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                             std::uint8_t& count, ByteArray& data, ByteArray& /*spare*/,
                                             std::int16_t& /*module*/, std::int32_t& /*status*/) {
    if (const QString why = refusal(deviceAddress, count, data); !why.isEmpty()) {
        notes_(i2cRefused(why));
        return adapterResult::kCallFailed;
    }
    // Received into a buffer of its own, so a failure half-way leaves the caller's data as it was.
    std::uint8_t reg = registerAddress;
    ByteArray received(count);
    i2c_msg messages[] = {
        {deviceAddress, 0, 1, &reg},
        {deviceAddress, I2C_M_RD, count, received.data()},
    };
    if (const int error = transfer(fd_, messages, std::size(messages)); error != 0) {
        notes_(i2cReadFailure(deviceAddress, registerAddress, count, error));
        failed(error);
        return adapterResult::kCallFailed;
    }
    std::copy(received.begin(), received.end(), data.begin());
    return adapterResult::kCallDone;
}

std::int16_t I2cDevAdapter::crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                              std::uint8_t& count, ByteArray& data, ByteArray& /*spare*/,
                                              std::int16_t& /*module*/, std::int32_t& /*status*/) {
    if (const QString why = refusal(deviceAddress, count, data); !why.isEmpty()) {
        notes_(i2cRefused(why));
        return adapterResult::kCallFailed;
    }
    ByteArray message(count + 1U);
    message[0] = registerAddress;
    std::copy_n(data.begin(), count, message.begin() + 1);
    i2c_msg single{deviceAddress, 0, static_cast<std::uint16_t>(message.size()), message.data()};
    if (const int error = transfer(fd_, &single, 1); error != 0) {
        notes_(i2cWriteFailure(deviceAddress, message, error));
        failed(error);
        return adapterResult::kCallFailed;
    }
    return adapterResult::kCallDone;
}

}  // namespace vcm::adapter
