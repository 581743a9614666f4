#include "adapter/selection/AdapterOptions.h"

#include "adapter/core/ArgumentText.h"

#include <utility>

namespace vcm::adapter {

AdapterOptionSet::AdapterOptionSet(QString sysfsRoot, BridgeLookup bridgeLookup)
    : adapter_(QStringLiteral("adapter"), adapterOptionDescription(), adapterOptionValueName(),
               QStringLiteral("sim")),
      eeprom_(QStringLiteral("eeprom"),
              QStringLiteral("EEPROM value of the simulated chip at power-on, one or two hexadecimal "
                             "digits, such as 80 or 0x7D (default 80)."),
              QStringLiteral("HH"), QStringLiteral("80")),
      trace_(QStringLiteral("trace"), QStringLiteral("Write every adapter library call to stderr.")),
      sysfsRoot_(std::move(sysfsRoot)),
      bridgeLookup_(bridgeLookup) {}

void AdapterOptionSet::addTo(QCommandLineParser& parser) const {
    for (const QCommandLineOption* option : options()) {
        parser.addOption(*option);
    }
}

std::optional<AdapterOptions> AdapterOptionSet::read(const QCommandLineParser& parser,
                                                     QString& problem) const {
    AdapterOptions options;
    const std::optional<AdapterSelection> selection = parseAdapterSelection(parser.value(adapter_), problem);
    if (!selection) {
        return std::nullopt;
    }
    options.adapter = *selection;
    // The bridge is looked for again at every connection; asking now (the window) ends the program with
    // the list of buses before any window opens when the choice is not clear.
    if (bridgeLookup_ == BridgeLookup::WhenRead && selection->choice == AdapterChoice::I2cBus &&
        selection->target == kAutoI2cBus && !findBridgeBus(sysfsRoot_, problem)) {
        return std::nullopt;
    }

    const QString eeprom = parser.value(eeprom_);
    const ByteArgument byte = readByteArgument(eeprom, false);
    if (byte.status != ByteArgument::Status::Ok) {
        problem = byte.status == ByteArgument::Status::OutOfRange
                      ? QStringLiteral("The --eeprom value %1 is out of range (give 00 to FF).")
                            .arg(quotedArgument(eeprom))
                      : QStringLiteral(
                            "Malformed --eeprom value %1 (give one or two hexadecimal digits, such "
                            "as 80 or 0x7D).")
                            .arg(quotedArgument(eeprom));
        return std::nullopt;
    }
    options.eeprom = byte.value;
    options.trace = parser.isSet(trace_);
    return options;
}

}  // namespace vcm::adapter
