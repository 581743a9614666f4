#pragma once

#include <QString>

#include <optional>

namespace vcm::adapter {

/// Which adapter library stands behind a program. Every executable takes the same `--adapter` text.
enum class AdapterChoice {
    Simulated,     ///< `sim`: a simulated board that is always present (the default)
    Absent,        ///< `none`: no adapter found
    MakerLibrary,  ///< `crvhid` or `crvhid:PATH`: the board maker's library through the adapter bridge;
                   ///< `target` is the library's path (a file or its folder), empty for the default
    I2cBus,        ///< `i2c:...`: a kernel I2C bus on Linux; `target` is its device node or "auto"
};

/// A parsed `--adapter` value: the kind of back-end and what it needs to find its bus or library
/// (empty for the kinds that need nothing).
struct AdapterSelection {
    AdapterChoice choice = AdapterChoice::Simulated;
    QString target;

    friend bool operator==(const AdapterSelection&, const AdapterSelection&) = default;
};

/// Reads an `--adapter` value. On failure returns nothing and sets `problem` to a plain sentence that
/// says what was wrong and what is accepted.
std::optional<AdapterSelection> parseAdapterSelection(const QString& text, QString& problem);

/// The selection as `--adapter` names it ("sim", "none", "crvhid:PATH", "i2c:3"), for records.
QString adapterSelectionText(const AdapterSelection& selection);

/// The value name and the description of the `--adapter` option, shared by every executable's help.
QString adapterOptionValueName();
QString adapterOptionDescription();

}  // namespace vcm::adapter
