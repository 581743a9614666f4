#pragma once

// The help texts: the top help, the calculator's, and each command's under its own usage line.

#include "cli/options/CommandTable.h"
#include "cli/options/ToolOptions.h"

#include <QCommandLineParser>
#include <QString>

namespace vcm::cli {

/// `vcm7310 --help`: the commands, the exit codes and the options that may stand before a command.
QString topHelp(const ToolOptions& options);
/// The help of both calculations together, for `vcm7310 calc --help`.
QString calcHelp(const ToolOptions& options);
/// Gives a command's parser its options, its summary and its VALUE.
void describeCommand(QCommandLineParser& parser, const ToolOptions& options,
                     const CommandDefinition& definition);
/// `vcm7310 COMMAND --help`, from the parser that describeCommand set up.
QString commandHelp(const QCommandLineParser& parser, const CommandDefinition& definition);

}  // namespace vcm::cli
