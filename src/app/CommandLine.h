#pragma once

#include "adapter/selection/AdapterOptions.h"

#include <QString>
#include <QStringList>

namespace vcm::app {

/// The window takes the options every executable shares, and no others.
using CommandLineOptions = adapter::AdapterOptions;

/// What the program does after reading its command line.
struct CommandLineOutcome {
    enum class Action {
        Run,    ///< start the window with `options`
        Print,  ///< write `text` to stdout and exit with `exitCode` (0): --help, --version
        Fail,   ///< write `text` to stderr and exit with `exitCode` (2)
    };

    Action action = Action::Run;
    CommandLineOptions options;
    QString text;
    int exitCode = 0;
};

inline constexpr int kCommandLineErrorExitCode = 2;

/// Reads the program's arguments as QCoreApplication::arguments() gives them (the program's name first,
/// the toolkit's own options already removed). Prints nothing and never exits, so it can be tested.
/// `version` is what --version shows; empty means QCoreApplication::applicationVersion().
CommandLineOutcome parseCommandLine(const QStringList& arguments, const QString& version = {});

}  // namespace vcm::app

namespace vcm::app {

/// The arguments without the toolkit's own options (such as "-platform offscreen" or "-style fusion"),
/// which the toolkit takes for itself when the window system starts. The program reads its options before
/// then, so that --help, --version and a bad option never need a display.
QStringList withoutToolkitOptions(const QStringList& arguments);

}  // namespace vcm::app
