#include "app/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

namespace vcm::app {

namespace {

const QString kProgramName = QStringLiteral("vcm7310-bench");

CommandLineOutcome failure(const QString& problem) {
    CommandLineOutcome outcome;
    outcome.action = CommandLineOutcome::Action::Fail;
    outcome.text = kProgramName + QStringLiteral(": ") + problem +
                   QStringLiteral("\nTry '%1 --help' for the options.\n").arg(kProgramName);
    outcome.exitCode = kCommandLineErrorExitCode;
    return outcome;
}

CommandLineOutcome printing(const QString& text) {
    CommandLineOutcome outcome;
    outcome.action = CommandLineOutcome::Action::Print;
    outcome.text = text;
    outcome.exitCode = 0;
    return outcome;
}

}  // namespace

CommandLineOutcome parseCommandLine(const QStringList& arguments, const QString& version) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Bench program of the VCM7310 evaluation board."));
    // Our own help option rather than addHelpOption(): that one also brings --help-all, which only
    // QCommandLineParser::process() can answer.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Displays this help."));
    parser.addOption(helpOption);
    const QCommandLineOption versionOption = parser.addVersionOption();
    const adapter::AdapterOptionSet adapterOptions;
    adapterOptions.addTo(parser);

    // The parser expects the program's name first; a bare list of options is taken as it is meant.
    QStringList withName = arguments;
    if (withName.isEmpty()) {
        withName.append(kProgramName);
    }
    if (!parser.parse(withName)) {
        return failure(parser.errorText());
    }
    if (parser.isSet(helpOption)) {
        return printing(parser.helpText());
    }
    if (parser.isSet(versionOption)) {
        const QString shown = version.isEmpty() ? QCoreApplication::applicationVersion() : version;
        return printing(kProgramName + u' ' + shown + u'\n');
    }
    if (!parser.positionalArguments().isEmpty()) {
        return failure(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    }

    QString problem;
    const std::optional<adapter::AdapterOptions> options = adapterOptions.read(parser, problem);
    if (!options) {
        return failure(problem);
    }
    CommandLineOutcome outcome;
    outcome.options = *options;
    return outcome;
}

}  // namespace vcm::app

namespace vcm::app {

QStringList withoutToolkitOptions(const QStringList& arguments) {
    // The options the GUI application object consumes, with and without a value.
    static const QStringList withValue{
        QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
        QStringLiteral("qwindowicon"),     QStringLiteral("display"),
        QStringLiteral("geometry"),        QStringLiteral("style"),
        QStringLiteral("stylesheet"),      QStringLiteral("session"),
        QStringLiteral("title"),           QStringLiteral("name"),
        QStringLiteral("visual"),
    };
    static const QStringList alone{
        QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
        QStringLiteral("dograb"),  QStringLiteral("sync"),        QStringLiteral("testability"),
    };
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        // Toolkit options take a single dash; the program's own take two.
        if (i == 0 || !argument.startsWith(QLatin1Char('-')) || argument.startsWith(QLatin1String("--"))) {
            kept << argument;
            continue;
        }
        const QString name = argument.mid(1).section(QLatin1Char('='), 0, 0);
        if (withValue.contains(name)) {
            if (!argument.contains(QLatin1Char('='))) {
                ++i;  // the value follows as the next argument
            }
            continue;
        }
        if (alone.contains(name) || name.startsWith(QLatin1String("qmljsdebugger"))) {
            continue;
        }
        kept << argument;
    }
    return kept;
}

}  // namespace vcm::app
