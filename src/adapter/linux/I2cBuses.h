#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace vcm::adapter {

// Finding the kernel I2C bus that `--adapter i2c:...` names. Plain file reading, no system calls of the
// bus itself, so it is the same on every platform and is tested against a fake sysfs tree.

/// Where the kernel's sysfs is mounted; tests pass a directory of their own.
inline const QString kSysfsRoot = QStringLiteral("/sys");

/// What follows "i2c:" for the bus that `auto` finds at each connection.
inline const QString kAutoI2cBus = QStringLiteral("auto");

/// Reads the text after "i2c:": a device node path ("/dev/i2c-3", or any absolute path such as a udev
/// link), a bus number ("3", meaning /dev/i2c-3), or "auto". Returns the device node path, or "auto";
/// on failure nothing, with `problem` set to a plain sentence.
std::optional<QString> parseI2cTarget(const QString& text, QString& problem);

/// One bus the kernel lists under <sysfs>/class/i2c-dev, with the name its driver gave it.
struct I2cBus {
    int number = 0;
    QString name;

    friend bool operator==(const I2cBus&, const I2cBus&) = default;
};

/// The buses under `sysfsRoot`, by number; none when the folder is missing (no i2c-dev module loaded).
std::vector<I2cBus> listI2cBuses(const QString& sysfsRoot);

/// The kind of USB to I2C bridge a bus name belongs to ("MCP2221", ...), or empty for any other bus.
QString bridgeKind(const QString& busName);

/// The bridge kinds that `auto` recognises, in the order --help lists them.
QStringList knownBridgeKinds();

/// The device node of the one USB to I2C bridge under `sysfsRoot`. With none or several returns nothing
/// and sets `problem` to a few lines that list the buses found, as `i2cdetect -l` shows them.
std::optional<QString> findBridgeBus(const QString& sysfsRoot, QString& problem);

/// Gives the device node to open, or nothing with `problem` set; asked again at every connection, so a
/// bridge that comes back under another bus number is found.
using I2cBusLocator = std::function<std::optional<QString>(QString& problem)>;

/// The locator for a parsed target: the fixed node, or the bridge search for "auto".
I2cBusLocator locateI2cBus(const QString& target, const QString& sysfsRoot = kSysfsRoot);

}  // namespace vcm::adapter
