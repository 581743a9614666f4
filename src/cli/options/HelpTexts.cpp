#include "cli/options/HelpTexts.h"

namespace vcm::cli {

namespace {

/// The parser's help with our own usage line (it would name only the program, not the command).
QString helpWithUsage(const QCommandLineParser& parser, const QString& usage) {
    QString text = parser.helpText();
    const qsizetype endOfFirstLine = text.indexOf(u'\n');
    return QStringLiteral("Usage: ") + usage + text.mid(endOfFirstLine);
}

}  // namespace

QString topHelp(const ToolOptions& options) {
    QCommandLineParser parser;
    parser.addOption(options.help);
    parser.addOption(options.version);
    options.addShared(parser);
    QString description = QStringLiteral(
        "Reads, sets, programs and trims the VCM7310's DCP from the command line, and works out its "
        "divider.\n\nCommands:\n");
    for (const CommandDefinition& definition : commandTable()) {
        const QString name =
            definition.argument.isEmpty() ? definition.name : definition.name + u' ' + definition.argument;
        description += QStringLiteral("  %1  %2\n").arg(name, -14).arg(definition.brief);
    }
    description +=
        QStringLiteral(
            "\n'%1 COMMAND --help' shows a command's options.\n\n"
            "Exit codes: 0 pass; 1 the answer is no (the board failed a check, or a calculation has no\n"
            "result); 2 a usage error (nothing was sent); 3 the station could not do its job (no adapter,\n"
            "a bus, meter or log error); 128+N stopped by signal N. With --json the object says the same\n"
            "as \"outcome\" (pass, fail, error, aborted) and \"failure\" (a stable name).\n\n"
            "The options below may also stand before the command; a command ignores those it does not\n"
            "take there.")
            .arg(kProgram);
    parser.setApplicationDescription(description);
    return helpWithUsage(parser, kProgram + QStringLiteral(" [options] COMMAND [options]"));
}

QString calcHelp(const ToolOptions& options) {
    QCommandLineParser parser;
    options.addFor(OptionGroup::Resistors | OptionGroup::Range | OptionGroup::Dcp | OptionGroup::Dec, parser);
    parser.setApplicationDescription(
        QStringLiteral("The divider calculator, with the texts the window's fields show.\n"
                       "calc forward takes --avdd, --rset, --r1, --r2 and --dcp; calc reverse takes --avdd, "
                       "--rset, --vmax, --vmin and --dcp."));
    return helpWithUsage(parser, kProgram + QStringLiteral(" calc forward|reverse [options]"));
}

void describeCommand(QCommandLineParser& parser, const ToolOptions& options,
                     const CommandDefinition& definition) {
    options.addFor(definition.groups, parser);
    parser.setApplicationDescription(definition.summary);
    if (takesSeveral(definition)) {
        parser.addPositionalArgument(definition.argument,
                                     QStringLiteral("One or more station logs, one JSON line per attempt."));
    } else if (!definition.argument.isEmpty()) {
        parser.addPositionalArgument(definition.argument,
                                     QStringLiteral("The DCP value: one or two hex digits (7D or 0x7D), or "
                                                    "decimal with --dec (125)."));
    }
}

QString commandHelp(const QCommandLineParser& parser, const CommandDefinition& definition) {
    const QString usage = kProgram + u' ' + definition.name + QStringLiteral(" [options]") +
                          (definition.argument.isEmpty() ? QString() : u' ' + definition.argument);
    return helpWithUsage(parser, usage);
}

}  // namespace vcm::cli
