#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace vcm::test {

/// A sysfs tree of I2C buses in a temporary folder: <root>/class/i2c-dev/i2c-N/name, as the kernel lists
/// them. Removed with the object.
class FakeSysfs {
  public:
    QString root() const { return dir_.path(); }

    /// Adds bus N with the name its driver gives it; `onDevice` puts the name where older kernels keep it.
    void addBus(int number, const QString& name, bool onDevice = false) {
        const QString bus = busPath(number);
        const QString folder = onDevice ? bus + QStringLiteral("/device") : bus;
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/name"));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(name.toUtf8() + '\n');
        }
    }
    void removeBus(int number) { QDir(busPath(number)).removeRecursively(); }

  private:
    QString busPath(int number) const {
        return dir_.path() + QStringLiteral("/class/i2c-dev/i2c-%1").arg(number);
    }

    QTemporaryDir dir_;
};

}  // namespace vcm::test
