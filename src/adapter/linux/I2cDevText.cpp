#include "adapter/linux/I2cDevText.h"

#include "adapter/trace/TraceFormat.h"

#include <cerrno>
#include <cstring>

namespace vcm::adapter {

namespace {

QString kernelText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace

QString i2cConnectFailure(const QString& node, I2cConnectStep step, int error) {
    switch (step) {
        case I2cConnectStep::Open:
            if (error == EACCES || error == EPERM) {
                return node +
                       QStringLiteral(": permission denied; add yourself to the i2c group or see README");
            }
            if (error == ENOENT || error == ENODEV || error == ENXIO) {
                return node + QStringLiteral(
                                  ": no such I2C bus; plug in the bridge, and load the i2c-dev module "
                                  "(sudo modprobe i2c-dev) if it is not loaded");
            }
            return node + QStringLiteral(": cannot open: ") + kernelText(error);
        case I2cConnectStep::Functions:
            return node + QStringLiteral(": not an I2C bus (") + kernelText(error) + u')';
        case I2cConnectStep::PlainI2c:
            break;
    }
    return node + QStringLiteral(
                      ": the bus can do SMBus transfers only, not the plain I2C transfers the chip needs");
}

QString i2cWriteFailure(std::uint8_t address, const ByteArray& message, int error) {
    return QStringLiteral("i2c: write to %1 %2 failed: %3")
        .arg(traceByte(address), traceBytes(message), kernelText(error));
}

QString i2cReadFailure(std::uint8_t address, std::uint8_t registerAddress, std::uint8_t count, int error) {
    return QStringLiteral("i2c: read of %1 %2 from %3 register %4 failed: %5")
        .arg(QString::number(count), count == 1 ? QStringLiteral("byte") : QStringLiteral("bytes"),
             traceByte(address), traceByte(registerAddress), kernelText(error));
}

QString i2cRefused(const QString& why) {
    return QStringLiteral("i2c: ") + why + QStringLiteral("; nothing sent");
}

}  // namespace vcm::adapter
