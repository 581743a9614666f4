#pragma once

#include "adapter/linux/I2cBuses.h"
#include "adapter/selection/AdapterSelection.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace vcm::adapter {

/// The options every executable shares: which adapter, the simulated chip's EEPROM, and tracing.
struct AdapterOptions {
    AdapterSelection adapter;
    std::uint8_t eeprom = 0x80;  ///< EEPROM value of the simulated chip at power-on
    bool trace = false;          ///< trace every adapter library call to stderr

    friend bool operator==(const AdapterOptions&, const AdapterOptions&) = default;
};

/// The `--adapter`, `--eeprom` and `--trace` options, added to a parser and read back from it, so the
/// window and the command-line tool accept and explain them in the same words.
class AdapterOptionSet {
  public:
    /// When `i2c:auto` first looks for the one bridge plugged in.
    enum class BridgeLookup {
        WhenRead,     ///< as the options are read: none or several is a bad option (the window)
        WhenConnect,  ///< only at the connection: none or several is a failed connection (the tool)
    };

    /// `sysfsRoot` is where `i2c:auto` looks for the bridge before the program starts.
    explicit AdapterOptionSet(QString sysfsRoot = kSysfsRoot,
                              BridgeLookup bridgeLookup = BridgeLookup::WhenRead);

    void addTo(QCommandLineParser& parser) const;
    /// The options addTo adds, for a program that sorts its words before its parser reads them.
    std::vector<const QCommandLineOption*> options() const { return {&adapter_, &eeprom_, &trace_}; }

    /// The options as given (defaults for those left out). On a bad value, or with `i2c:auto` when not
    /// exactly one bridge is plugged in (BridgeLookup::WhenRead), returns nothing and sets `problem` to a
    /// plain sentence. --eeprom takes a byte as readByteArgument reads hexadecimal.
    std::optional<AdapterOptions> read(const QCommandLineParser& parser, QString& problem) const;

  private:
    QCommandLineOption adapter_;
    QCommandLineOption eeprom_;
    QCommandLineOption trace_;
    QString sysfsRoot_;
    BridgeLookup bridgeLookup_;
};

}  // namespace vcm::adapter
