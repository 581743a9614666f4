#pragma once

#include "adapter/AdapterSelection.h"
#include "adapter/I2cBuses.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include <cstdint>
#include <optional>

namespace vcm {

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
    /// `sysfsRoot` is where `i2c:auto` looks for the bridge before the program starts.
    explicit AdapterOptionSet(QString sysfsRoot = kSysfsRoot);

    void addTo(QCommandLineParser& parser) const;

    /// The options as given (defaults for those left out). On a bad value, or with `i2c:auto` when not
    /// exactly one bridge is plugged in, returns nothing and sets `problem` to a plain sentence.
    std::optional<AdapterOptions> read(const QCommandLineParser& parser, QString& problem) const;

  private:
    QCommandLineOption adapter_;
    QCommandLineOption eeprom_;
    QCommandLineOption trace_;
    QString sysfsRoot_;
};

}  // namespace vcm
