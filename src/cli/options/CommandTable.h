#pragma once

// The table of the tool's commands: each row is all there is to a command, so adding one touches one place.

#include "cli/commands/CommandFailure.h"
#include "cli/commands/Commands.h"
#include "cli/options/Invocation.h"
#include "meter/core/Meter.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vcm::cli {

/// The tool's name, which its usage errors and help start with.
inline const QString kProgram = QStringLiteral("vcm7310");

/// Which groups of options a command takes: a set of these bits.
struct OptionGroup {
    enum : unsigned {
        Bus = 1U << 0,        // --adapter, --eeprom, --trace, --sim-state, --sim-vcom-error, --sim-fault,
                              // --sim-power-cycle
        Dec = 1U << 1,        // --dec
        Resistors = 1U << 2,  // --avdd, --rset, --r1, --r2
        Range = 1U << 3,      // --avdd, --rset, --vmax, --vmin
        Dcp = 1U << 4,        // --dcp
        Trim = 1U << 5,       // --vcom (required), --program, --tolerance, --log, --station-id, --operator
        StateOnly = 1U << 6,  // --sim-state and the simulated VCOM's shape
        Measure = 1U << 7,    // --measure or --meter, --meter-query, --meter-timeout, --settle, --average
        Sweep = 1U << 8,      // --from, --to, --csv, --svg, --vcom (optional)
        BoardId = 1U << 9,    // --board-id
        Session = 1U << 10,   // --id-pattern, --retest
        Report = 1U << 11,    // the report's own --csv and --svg
    };
};

/// Runs a command: returns its JSON object, or throws a CommandFailure at the step that failed.
/// `builtInMeter` makes the meter of --meter, for the commands that measure.
using CommandHandler = JsonObject (*)(const Invocation& invocation, const CommandOutput& out,
                                      const MeterMaker& builtInMeter);

struct CommandDefinition {
    Command command;
    QString name;      ///< as typed ("calc forward")
    QString brief;     ///< its line in the command list
    QString summary;   ///< the command's own help
    QString argument;  ///< the positional VALUE, or empty
    unsigned groups;   ///< the OptionGroup bits of the options it takes
    CommandHandler run;
};

/// Every command, in the order the top help lists them.
const std::vector<CommandDefinition>& commandTable();
/// The row of `command`.
const CommandDefinition& commandDefinition(Command command);
/// The command that `words` start with and how many words its name took, or null when they name none.
const CommandDefinition* findCommand(const QStringList& words, qsizetype& wordsUsed);
/// Whether the command's argument is one or more words taken as they are ("LOG..."), rather than one VALUE.
bool takesSeveral(const CommandDefinition& definition);

}  // namespace vcm::cli
