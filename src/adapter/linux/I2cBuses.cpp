#include "adapter/linux/I2cBuses.h"

#include "adapter/core/ArgumentText.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace vcm::adapter {

namespace {

// The bridge kinds, each with the word its kernel driver puts into the bus name (matched without regard
// to case), e.g. "MCP2221 usb-i2c bridge", "CP2112 SMBus Bridge on hidraw2",
// "i2c-tiny-usb at bus 001 device 005".
struct BridgeKind {
    const char* kind;
    const char* nameWord;
};
constexpr BridgeKind kBridges[] = {
    {"MCP2221", "mcp2221"},
    {"CP2112", "cp2112"},
    {"CP2615", "cp2615"},
    {"CH341", "ch341"},
    {"FT232H", "ft232h"},
    {"FT260", "ft260"},
    {"i2c-tiny-usb", "i2c-tiny-usb"},
    {"Diolan U2C", "diolan-u2c"},
};

QString readName(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).trimmed();
}

QString busLines(const std::vector<I2cBus>& buses) {
    QString lines;
    for (const I2cBus& bus : buses) {
        lines += QStringLiteral("\n  i2c-%1\t%2").arg(bus.number).arg(bus.name);
    }
    return lines;
}

}  // namespace

std::optional<QString> parseI2cTarget(const QString& text, QString& problem) {
    if (text == kAutoI2cBus) {
        return text;
    }
    if (text.startsWith(u'/')) {
        return text;
    }
    static const QRegularExpression busNumber(QStringLiteral("^[0-9]{1,6}$"));
    if (busNumber.match(text).hasMatch()) {
        return QStringLiteral("/dev/i2c-%1").arg(text.toInt());
    }
    problem = QStringLiteral("Malformed I2C bus %1 (use i2c:/dev/i2c-N, i2c:N or i2c:auto).")
                  .arg(quotedArgument(QStringLiteral("i2c:") + text));
    return std::nullopt;
}

std::vector<I2cBus> listI2cBuses(const QString& sysfsRoot) {
    const QDir folder(sysfsRoot + QStringLiteral("/class/i2c-dev"));
    static const QRegularExpression busEntry(QStringLiteral("^i2c-([0-9]+)$"));
    std::vector<I2cBus> buses;
    // The entries are links to directories in a real sysfs; System keeps any that QDir would not call a
    // directory.
    for (const QString& entry : folder.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch match = busEntry.match(entry);
        if (!match.hasMatch()) {
            continue;
        }
        // Older kernels keep the name only on the adapter device, as i2cdetect knows.
        QString name = readName(folder.filePath(entry + QStringLiteral("/name")));
        if (name.isEmpty()) {
            name = readName(folder.filePath(entry + QStringLiteral("/device/name")));
        }
        buses.push_back({match.captured(1).toInt(), name});
    }
    std::sort(buses.begin(), buses.end(),
              [](const I2cBus& a, const I2cBus& b) { return a.number < b.number; });
    return buses;
}

QString bridgeKind(const QString& busName) {
    for (const BridgeKind& bridge : kBridges) {
        if (busName.contains(QLatin1String(bridge.nameWord), Qt::CaseInsensitive)) {
            return QString::fromLatin1(bridge.kind);
        }
    }
    return {};
}

QStringList knownBridgeKinds() {
    QStringList kinds;
    for (const BridgeKind& bridge : kBridges) {
        kinds << QString::fromLatin1(bridge.kind);
    }
    return kinds;
}

std::optional<QString> findBridgeBus(const QString& sysfsRoot, QString& problem) {
    const std::vector<I2cBus> buses = listI2cBuses(sysfsRoot);
    std::vector<I2cBus> bridges;
    std::copy_if(buses.begin(), buses.end(), std::back_inserter(bridges),
                 [](const I2cBus& bus) { return !bridgeKind(bus.name).isEmpty(); });
    if (bridges.size() == 1) {
        return QStringLiteral("/dev/i2c-%1").arg(bridges.front().number);
    }
    if (buses.empty()) {
        problem = QStringLiteral(
            "i2c:auto found no I2C bus at all. Plug in the bridge; if it is plugged in, load the "
            "i2c-dev module (sudo modprobe i2c-dev).");
    } else if (bridges.empty()) {
        problem = QStringLiteral("i2c:auto found no USB to I2C bridge (%1) among the I2C buses:")
                      .arg(knownBridgeKinds().join(QStringLiteral(", "))) +
                  busLines(buses) + QStringLiteral("\nPick one with --adapter i2c:N.");
    } else {
        problem = QStringLiteral("i2c:auto found several USB to I2C bridges:") + busLines(bridges) +
                  QStringLiteral("\nPick one with --adapter i2c:N.");
    }
    return std::nullopt;
}

I2cBusLocator locateI2cBus(const QString& target, const QString& sysfsRoot) {
    if (target == kAutoI2cBus) {
        return [sysfsRoot](QString& problem) { return findBridgeBus(sysfsRoot, problem); };
    }
    return [target](QString& /*problem*/) { return std::optional<QString>(target); };
}

}  // namespace vcm::adapter
