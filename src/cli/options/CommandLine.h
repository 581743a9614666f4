#pragma once

#include "cli/options/Invocation.h"

#include <QString>
#include <QStringList>

namespace vcm::cli {

/// What the tool does after reading its command line.
struct ParsedCommandLine {
    enum class Action {
        Run,    ///< run `invocation`
        Print,  ///< write `text` to stdout and exit 0 (--help, --version)
        Fail,   ///< write `text` to stderr and exit 2, before anything touches the bus
    };
    Action action = Action::Run;
    Invocation invocation;
    QString text;
    QString jsonText;  ///< Fail with --json: the one JSON object to write to stdout
};

/// Reads `vcm7310 [OPTIONS] COMMAND [OPTIONS] [VALUE]` (the program's name first, as
/// QCoreApplication::arguments() gives it). Options shared by every bus command may stand before the
/// command; a command ignores those of them it does not take. A word that looks like a negative number is
/// a value, not an option. Prints nothing and never exits. `version` is what --version shows.
ParsedCommandLine parseCommandLine(const QStringList& arguments, const QString& version);

}  // namespace vcm::cli
