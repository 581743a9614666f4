#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace vcm::monkey {

/// One thing a user does to the main window.
struct Action {
    enum class Kind {
        Key,          ///< a key to whatever has the focus (`key`, with `text` for printable keys)
        Paste,        ///< `text` pasted with Shift+Insert over the whole text of `target` (clicked first), or
                      ///< at the cursor of whatever has the focus when `target` is empty
        Wheel,        ///< a wheel turn of `delta` over the control named `target`
        Click,        ///< a left click on the control named `target`, at (`x`, `y`) in parts per 1000
        SetMessages,  ///< how the next message boxes are answered: bit i of `answers` Yes (1) or No (0)
    };
    Kind kind = Kind::Key;
    int key = 0;
    QString text;
    QString target;
    int delta = 0;
    int x = 500;
    int y = 500;
    std::uint32_t answers = 0;

    /// A readable line, e.g. `key Up`, `paste "7D" (U+0037 U+0044)`, `click cmdWrite at 500,500`.
    QString describe() const;
};

/// Draws `count` actions from a seeded generator: mostly keys, pastes (empty to very long, non-ASCII and
/// unusual blanks), wheel turns of any delta, clicks on every button, option, field and the slider.
std::vector<Action> randomActions(std::uint64_t seed, int count);

/// What broke, and after which action (0-based).
struct Failure {
    int actionIndex = 0;
    QString invariant;
};

/// Runs the actions on a fresh main window on the simulated board and checks after each (and at each
/// write on the bus) that:
/// - the box and the slider show the same value (whenever the box holds a DCP value);
/// - every data-register write carries the value the box and the slider show;
/// - the EEPROM changes only through "Write to EEPROM", and then to the value shown;
/// - no action takes longer than a second.
/// Message boxes are answered as the last SetMessages said; pauses are recorded, not slept.
std::optional<Failure> run(const std::vector<Action>& actions);

/// The shortest list found (by removing ever smaller runs of actions) that still breaks an invariant.
std::vector<Action> shrink(std::vector<Action> actions);

/// Runs `count` random actions from `seed`; on a failure, the report: the seed, the invariant, and the
/// shrunk list of actions that shows it, one per line.
std::optional<QString> check(std::uint64_t seed, int count);

}  // namespace vcm::monkey
