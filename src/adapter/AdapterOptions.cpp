#include "adapter/AdapterOptions.h"

#include <QRegularExpression>

#include <utility>

namespace vcm {

AdapterOptionSet::AdapterOptionSet(QString sysfsRoot)
    : adapter_(QStringLiteral("adapter"), adapterOptionDescription(), adapterOptionValueName(),
               QStringLiteral("sim")),
      eeprom_(QStringLiteral("eeprom"),
              QStringLiteral("EEPROM value of the simulated chip at power-on, two hexadecimal digits "
                             "(default 80)."),
              QStringLiteral("HH"), QStringLiteral("80")),
      trace_(QStringLiteral("trace"), QStringLiteral("Write every adapter library call to stderr.")),
      sysfsRoot_(std::move(sysfsRoot)) {}

void AdapterOptionSet::addTo(QCommandLineParser& parser) const {
    parser.addOption(adapter_);
    parser.addOption(eeprom_);
    parser.addOption(trace_);
}

std::optional<AdapterOptions> AdapterOptionSet::read(const QCommandLineParser& parser,
                                                     QString& problem) const {
    AdapterOptions options;
    const std::optional<AdapterSelection> selection = parseAdapterSelection(parser.value(adapter_), problem);
    if (!selection) {
        return std::nullopt;
    }
    options.adapter = *selection;
    // The bridge is looked for again at every connection; asking now ends the program with the list of
    // buses before any window opens when the choice is not clear.
    if (selection->choice == AdapterChoice::I2cBus && selection->target == kAutoI2cBus &&
        !findBridgeBus(sysfsRoot_, problem)) {
        return std::nullopt;
    }

    const QString eeprom = parser.value(eeprom_);
    // Exactly two digits: a prefix or a third digit is more likely a mistake than a value meant.
    static const QRegularExpression twoHexDigits(QStringLiteral("^[0-9A-Fa-f]{2}$"));
    if (!twoHexDigits.match(eeprom).hasMatch()) {
        problem = QStringLiteral("Malformed --eeprom value '%1' (give two hexadecimal digits, such as 80).")
                      .arg(eeprom);
        return std::nullopt;
    }
    options.eeprom = static_cast<std::uint8_t>(eeprom.toUInt(nullptr, 16));
    options.trace = parser.isSet(trace_);
    return options;
}

}  // namespace vcm
