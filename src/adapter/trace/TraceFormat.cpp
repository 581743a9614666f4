#include "adapter/trace/TraceFormat.h"

#include <QStringList>

namespace vcm::adapter {

namespace {

QString hexDigits(std::uint8_t value) {
    return QString::number(value, 16).rightJustified(2, u'0').toUpper();
}

}  // namespace

QString traceByte(std::uint8_t value) {
    return QStringLiteral("0x") + hexDigits(value);
}

QString traceBytes(const ByteArray& bytes) {
    QStringList parts;
    parts.reserve(static_cast<qsizetype>(bytes.size()));
    for (const std::uint8_t byte : bytes) {
        parts.append(hexDigits(byte));
    }
    return u'[' + parts.join(u' ') + u']';
}

QString traceTime(double milliseconds) {
    // QString::number ignores the C locale that QCoreApplication installs, so the point stays a point.
    return QString::number(milliseconds, 'f', 1);
}

QString traceLine(double milliseconds, const QString& text) {
    return traceTime(milliseconds) + u' ' + text;
}

QString traceConnect(std::int16_t result) {
    return QStringLiteral("crvHID_connect() = %1").arg(result);
}

QString traceIndicateSelectedModule(std::int16_t module, std::int16_t result) {
    return QStringLiteral("crvHID_indicateSelectedModule(%1) = %2").arg(module).arg(result);
}

QString traceSetGPIOConfiguration(std::uint8_t first, std::uint8_t second, std::int32_t mask,
                                  std::int16_t module, std::int16_t result) {
    return QStringLiteral("crvHID_setGPIOConfiguration(%1, %2, %3, %4) = %5")
        .arg(traceByte(first), traceByte(second))
        .arg(mask)
        .arg(module)
        .arg(result);
}

QString traceI2C(const QString& function, const I2CCallText& call, std::int16_t result) {
    return QStringLiteral("%1(%2, %3, %4, %5, %6, %7, %8) = %9")
        .arg(function, traceByte(call.deviceAddress), traceByte(call.registerAddress),
             QString::number(call.count), traceBytes(call.data), traceBytes(call.spare),
             QString::number(call.module), QString::number(call.status), QString::number(result));
}

}  // namespace vcm::adapter
