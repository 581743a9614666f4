#include "cli/options/CommandLine.h"

#include "adapter/core/ArgumentText.h"
#include "cli/commands/CommandFailure.h"
#include "cli/commands/Commands.h"
#include "cli/options/CommandTable.h"
#include "cli/options/CommandWords.h"
#include "cli/options/HelpTexts.h"
#include "cli/options/ToolOptions.h"
#include "cli/options/ValueReader.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <algorithm>

namespace vcm::cli {

namespace {

/// How a usage error is reported: on stderr with the help to try, and with --json as one object on
/// stdout too (naming the command when it is known).
struct FailureContext {
    QString helpHint = kProgram;
    bool json = false;
    QString command;
};

ParsedCommandLine failure(const QString& problem, const FailureContext& context) {
    ParsedCommandLine parsed;
    parsed.action = ParsedCommandLine::Action::Fail;
    const QString message = oneLine(problem);
    parsed.text = kProgram + QStringLiteral(": ") + message +
                  QStringLiteral("\nTry '%1 --help' for more information.\n").arg(context.helpHint);
    if (context.json) {
        parsed.jsonText =
            failureObject(std::nullopt, context.command, CommandFailure{kExitUsage, message}).toText();
    }
    return parsed;
}

/// The parser's complaint, quoting an unknown option as every bad input is quoted.
QString parserProblem(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    return unknown.isEmpty()
               ? parser.errorText()
               : QStringLiteral("Unknown option %1.").arg(adapter::quotedArgument(unknown.constFirst()));
}

ParsedCommandLine printing(const QString& text) {
    ParsedCommandLine parsed;
    parsed.action = ParsedCommandLine::Action::Print;
    parsed.text = text;
    return parsed;
}

/// The words of a command line around its command.
struct WordsAround {
    QString program;     ///< the program's name, as it was called
    QStringList before;  ///< the words before the command
    QStringList after;   ///< the words after the command's name
};

/// Reads a command's own options and values, and those of the shared options before it that it takes.
ParsedCommandLine parseCommand(const ToolOptions& options, const CommandDefinition& definition,
                               const WordsAround& words, FailureContext context, const QString& version) {
    // The shared options before the command that it takes (those it does not take are ignored, as the
    // top help says), then its own words, its values last so that none is taken for an option.
    const std::vector<const QCommandLineOption*> taken = options.optionsFor(definition.groups);
    const auto takes = [&taken](const QString& name) {
        return std::any_of(taken.begin(), taken.end(), [&name](const QCommandLineOption* option) {
            return option->names().contains(name);
        });
    };
    QStringList commandLine{words.program};
    for (const OptionWords& option : arrangeWords(words.before, options.shared()).options) {
        if (takes(option.name)) {
            commandLine += option.words;
        }
    }
    const ArrangedWords after = arrangeWords(words.after, taken);
    for (const OptionWords& option : after.options) {
        commandLine += option.words;
    }
    if (!after.positional.isEmpty()) {
        commandLine << QStringLiteral("--") << after.positional;
    }

    QCommandLineParser parser;
    describeCommand(parser, options, definition);
    const bool parsedCommand = parser.parse(commandLine);
    context.json = parser.isSet(options.json);
    if (!parsedCommand) {
        return failure(parserProblem(parser), context);
    }
    if (!after.missingValue.isEmpty()) {
        return failure(QStringLiteral("Missing value after '%1'.").arg(after.missingValue), context);
    }
    if (parser.isSet(options.help)) {
        return printing(commandHelp(parser, definition));
    }
    const qsizetype expected = definition.argument.isEmpty() ? 0 : 1;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < expected) {
        const QString needed = takesSeveral(definition)
                                   ? QStringLiteral("at least one ") + definition.argument.chopped(3)
                                   : definition.argument;
        return failure(QStringLiteral("%1 needs %2.").arg(definition.name, needed), context);
    }
    if (positional.size() > expected && !takesSeveral(definition)) {
        return failure(QStringLiteral("Unexpected argument %1.")
                           .arg(adapter::quotedArgument(positional.value(expected))),
                       context);
    }
    try {
        ParsedCommandLine parsed;
        parsed.invocation = ValueReader(parser, options, definition).read();
        parsed.invocation.toolVersion = version;
        return parsed;
    } catch (const CommandFailure& problem) {
        return failure(problem.message, context);
    }
}

}  // namespace

ParsedCommandLine parseCommandLine(const QStringList& arguments, const QString& version) {
    const ToolOptions options;
    const QStringList withName = arguments.isEmpty() ? QStringList{kProgram} : arguments;

    // First the options before the command; the command and everything after it come back as positional.
    QCommandLineParser leading;
    leading.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    leading.addOption(options.help);
    leading.addOption(options.version);
    leading.addOption(options.oldVersion);
    options.addShared(leading);
    const bool parsedLeading = leading.parse(withName);
    const QStringList tail = leading.positionalArguments();
    // Until a command's own parser has read its options, --json is seen wherever it stands.
    FailureContext context;
    context.json = leading.isSet(options.json) ||
                   tail.mid(0, tail.indexOf(QStringLiteral("--"))).contains(QStringLiteral("--json"));
    if (!parsedLeading) {
        return failure(parserProblem(leading), context);
    }
    const bool versionAsked = leading.isSet(options.version) || leading.isSet(options.oldVersion);
    if (tail.isEmpty() || leading.isSet(options.help)) {
        if (leading.isSet(options.help)) {
            return printing(topHelp(options));
        }
        if (versionAsked) {
            return printing(kProgram + u' ' + version + u'\n');
        }
        return failure(QStringLiteral("No command given."), context);
    }
    if (versionAsked) {
        return failure(QStringLiteral("--version takes no command."), context);
    }

    qsizetype wordsUsed = 0;
    const CommandDefinition* definition = findCommand(tail, wordsUsed);
    if (!definition && tail.constFirst() == QStringLiteral("calc") &&
        options.help.names().contains(tail.value(1).remove(u'-'))) {
        return printing(calcHelp(options));
    }
    if (!definition) {
        const QString problem =
            tail.constFirst() == QStringLiteral("calc")
                ? QStringLiteral("calc needs 'forward' or 'reverse'.")
                : QStringLiteral("Unknown command %1.").arg(adapter::quotedArgument(tail.constFirst()));
        return failure(problem, context);
    }
    context.helpHint = kProgram + u' ' + definition->name;
    context.command = definition->name;
    const WordsAround words{withName.constFirst(), withName.mid(1, withName.size() - 1 - tail.size()),
                            tail.mid(wordsUsed)};
    return parseCommand(options, *definition, words, context, version);
}

}  // namespace vcm::cli
