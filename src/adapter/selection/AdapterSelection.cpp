#include "adapter/selection/AdapterSelection.h"

#include "adapter/core/ArgumentText.h"
#include "adapter/linux/I2cBuses.h"

namespace vcm::adapter {

namespace {

const QString kI2cPrefix = QStringLiteral("i2c:");

}  // namespace

std::optional<AdapterSelection> parseAdapterSelection(const QString& text, QString& problem) {
    if (text == QStringLiteral("sim")) {
        return AdapterSelection{AdapterChoice::Simulated, {}};
    }
    if (text == QStringLiteral("none")) {
        return AdapterSelection{AdapterChoice::Absent, {}};
    }
    if (text == QStringLiteral("crvhid")) {
        return AdapterSelection{AdapterChoice::MakerLibrary, {}};
    }
    if (text.startsWith(QStringLiteral("crvhid:"))) {
        const QString path = text.mid(7);
        if (path.isEmpty()) {
            problem = QStringLiteral("Give the library's path after 'crvhid:', or use plain crvhid.");
            return std::nullopt;
        }
        return AdapterSelection{AdapterChoice::MakerLibrary, path};
    }
    if (text.startsWith(kI2cPrefix)) {
#ifdef VCM_HAVE_I2C_DEV
        const std::optional<QString> target = parseI2cTarget(text.mid(kI2cPrefix.size()), problem);
        if (!target) {
            return std::nullopt;
        }
        return AdapterSelection{AdapterChoice::I2cBus, *target};
#else
        problem = QStringLiteral(
                      "The adapter %1 needs the I2C buses of Linux, which this system lacks; use crvhid "
                      "(the board maker's adapter library) here.")
                      .arg(quotedArgument(text));
        return std::nullopt;
#endif
    }
    problem =
        QStringLiteral("Unknown adapter %1 (use %2).").arg(quotedArgument(text), adapterOptionValueName());
    return std::nullopt;
}

QString adapterOptionValueName() {
#ifdef VCM_HAVE_I2C_DEV
    return QStringLiteral("sim|none|crvhid[:PATH]|i2c:BUS");
#else
    return QStringLiteral("sim|none|crvhid[:PATH]");
#endif
}

QString adapterOptionDescription() {
#ifdef VCM_HAVE_I2C_DEV
    return QStringLiteral(
               "Adapter library to use: sim (a simulated board, the default), none (no adapter found), "
               "crvhid (the board maker's crvhid.dll beside the adapter bridge; crvhid:PATH for another "
               "one), i2c:/dev/i2c-N or i2c:N (that Linux I2C bus), or i2c:auto (the one USB to I2C bridge "
               "plugged in: %1).")
        .arg(knownBridgeKinds().join(QStringLiteral(", ")));
#else
    return QStringLiteral(
        "Adapter library to use: sim (a simulated board, the default), none (no adapter found), or "
        "crvhid (the board maker's crvhid.dll beside the adapter bridge; crvhid:PATH for another one).");
#endif
}

QString adapterSelectionText(const AdapterSelection& selection) {
    switch (selection.choice) {
        case AdapterChoice::Simulated:
            return QStringLiteral("sim");
        case AdapterChoice::Absent:
            return QStringLiteral("none");
        case AdapterChoice::MakerLibrary:
            return selection.target.isEmpty() ? QStringLiteral("crvhid")
                                              : QStringLiteral("crvhid:") + selection.target;
        case AdapterChoice::I2cBus:
            return QStringLiteral("i2c:") + selection.target;
    }
    return {};
}

}  // namespace vcm::adapter
