#include "cli/CommandLine.h"

#include "adapter/core/ArgumentText.h"
#include "calculator/FieldTexts.h"
#include "cli/ArgumentValues.h"
#include "cli/CommandFailure.h"
#include "cli/Commands.h"
#include "cli/MeterSpec.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <functional>
#include <variant>

namespace vcm {

namespace {

const QString kProgram = QStringLiteral("vcm7310");
constexpr double maxSimVcomErrorPercent = 50.0;
constexpr double maxSimMillivolts = 5000.0;

/// The range the window shows once it has started: the forward results of its start-up texts, as texts.
struct StartUpRange {
    QString voutMax;
    QString voutMin;
};

StartUpRange startUpRange() {
    const auto results = std::get<ForwardResults>(computeForward(defaultDivider(0)));
    return {voltageText(results.voutMax, QLocale::c()), voltageText(results.voutMin, QLocale::c())};
}

/// Which groups of options a command takes.
enum OptionGroup : unsigned {
    Bus = 1U << 0,        // --adapter, --eeprom, --trace, --sim-state, --sim-vcom-error, --sim-fault,
                          // --sim-power-cycle
    Dec = 1U << 1,        // --dec
    Resistors = 1U << 2,  // --avdd, --rset, --r1, --r2
    Range = 1U << 3,      // --avdd, --rset, --vmax, --vmin
    Dcp = 1U << 4,        // --dcp
    Trim = 1U << 5,       // --vcom (required), --program, --tolerance, --log, --board-id
    StateOnly = 1U << 6,  // --sim-state and the simulated VCOM's shape
    Measure = 1U << 7,    // --measure or --meter, --meter-query, --meter-timeout, --settle, --average
    Sweep = 1U << 8,      // --from, --to, --csv, --svg, --vcom (optional)
};

struct CommandDefinition {
    Command command;
    QString name;
    QString brief;     ///< its line in the command list
    QString summary;   ///< the command's own help
    QString argument;  ///< the positional VALUE, or empty
    unsigned groups;
};

const std::vector<CommandDefinition>& commandDefinitions() {
    static const std::vector<CommandDefinition> definitions{
        {Command::Read,
         QStringLiteral("read"),
         QStringLiteral("Read the data register."),
         QStringLiteral("Read the chip's data register and print it in hex and decimal."),
         {},
         Bus},
        {Command::Send, QStringLiteral("send"),
         QStringLiteral("Send VALUE to the data register and verify it."),
         QStringLiteral("Write VALUE to the data register, read it back and fail if the chip does not hold "
                        "it."),
         QStringLiteral("VALUE"), Bus | Dec},
        {Command::Program, QStringLiteral("program"),
         QStringLiteral("Send and verify VALUE, then program the EEPROM."),
         QStringLiteral("Send VALUE, verify it by reading it back, then program it into the EEPROM."),
         QStringLiteral("VALUE"), Bus | Dec},
        {Command::CalcForward,
         QStringLiteral("calc forward"),
         QStringLiteral("The output range from the resistors."),
         QStringLiteral("Work out IOUT, VRSET, VCOM and the output range from the resistor values, with the "
                        "calculator's texts."),
         {},
         Resistors | Dcp | Dec},
        {Command::CalcReverse,
         QStringLiteral("calc reverse"),
         QStringLiteral("The resistors from a wanted output range."),
         QStringLiteral("Work out R1 and R2 (and IOUT, VRSET, VCOM) from a wanted output range, with the "
                        "calculator's texts."),
         {},
         Range | Dcp | Dec},
        {Command::Trim,
         QStringLiteral("trim"),
         QStringLiteral("Set the value nearest a wanted VCOM."),
         QStringLiteral("Set the DCP value whose VCOM is nearest --vcom: predicted by the divider model, or "
                        "measured with --measure or --meter, starting where the model predicts it. Sends it, "
                        "verifies it, measures it again, and programs it with --program only when that last "
                        "measurement is within --tolerance of the target."),
         {},
         Bus | Resistors | Trim | Measure},
        {Command::Sweep,
         QStringLiteral("sweep"),
         QStringLiteral("The VCOM of every value: model and measured."),
         QStringLiteral(
             "List the model's VCOM of every DCP value from --from to --to and, with --measure or "
             "--meter, the measured one (each value sent and verified), then set the data register "
             "back to what it held. Never writes the EEPROM."),
         {},
         Bus | Resistors | Measure | Sweep},
        {Command::SimMeasure,
         QStringLiteral("sim-measure"),
         QStringLiteral("Print the simulated board's VCOM."),
         QStringLiteral("Print the simulated board's VCOM in volts, as a multimeter would (for trim "
                        "--measure). --sim-vcom-offset and --sim-step given here shape this reading alone."),
         {},
         StateOnly},
    };
    return definitions;
}

/// Every option the tool has; each command adds the groups it takes.
struct Options {
    Options()
        : help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help.")),
          version({QStringLiteral("V"), QStringLiteral("version")},
                  QStringLiteral("Displays version information.")),
          oldVersion(QStringLiteral("v"), QStringLiteral("Displays version information.")),
          json(QStringLiteral("json"), QStringLiteral("Print the result as one JSON object on stdout.")),
          simState(QStringLiteral("sim-state"),
                   QStringLiteral("Keep the simulated board (data register, EEPROM, VCOM error) in FILE "
                                  "between runs; a missing FILE is a board just powered on."),
                   QStringLiteral("FILE")),
          simVcomError(QStringLiteral("sim-vcom-error"),
                       QStringLiteral("The simulated board's VCOM differs from the divider model by PERCENT "
                                      "(-50 to 50; kept in the --sim-state file)."),
                       QStringLiteral("PERCENT")),
          simFault(QStringLiteral("sim-fault"),
                   QStringLiteral("Make the simulated board fail: read-fails (every read fails) or "
                                  "writes-lost (writes are acknowledged but never reach the chip)."),
                   QStringLiteral("read-fails|writes-lost")),
          simPowerCycle(QStringLiteral("sim-power-cycle"),
                        QStringLiteral("Power the simulated board of the --sim-state file off and on first: "
                                       "its data register is loaded from its EEPROM, as a real board's is at "
                                       "power-on (the way to check a programmed value).")),
          dec(QStringLiteral("dec"), QStringLiteral("DCP values are decimal (0 to 255) instead of hex.")),
          avdd(QStringLiteral("avdd"),
               QStringLiteral("Analog supply voltage AVDD in volts (default %1).").arg(avddDefaultText),
               QStringLiteral("V"), QString::fromUtf16(avddDefaultText)),
          rset(QStringLiteral("rset"),
               QStringLiteral("Resistor RSET in ohms (default %1).").arg(rsetDefaultText),
               QStringLiteral("OHM"), QString::fromUtf16(rsetDefaultText)),
          r1(QStringLiteral("r1"),
             QStringLiteral("Top resistor R1 of the divider in ohms (default %1).").arg(r1DefaultText),
             QStringLiteral("OHM"), QString::fromUtf16(r1DefaultText)),
          r2(QStringLiteral("r2"),
             QStringLiteral("Bottom resistor R2 of the divider in ohms (default %1).").arg(r2DefaultText),
             QStringLiteral("OHM"), QString::fromUtf16(r2DefaultText)),
          vmax(QStringLiteral("vmax"),
               QStringLiteral("Wanted VOUTmax in volts, the output at DCP 00 (default %1).")
                   .arg(startUpRange().voutMax),
               QStringLiteral("V"), startUpRange().voutMax),
          vmin(QStringLiteral("vmin"),
               QStringLiteral("Wanted VOUTmin in volts, the output at DCP FF (default %1).")
                   .arg(startUpRange().voutMin),
               QStringLiteral("V"), startUpRange().voutMin),
          dcp(QStringLiteral("dcp"),
              QStringLiteral("The DCP value the operating point is worked out for "
                             "(default 00)."),
              QStringLiteral("VALUE"), QStringLiteral("00")),
          vcom(QStringLiteral("vcom"), QStringLiteral("The wanted VCOM in volts (required)."),
               QStringLiteral("V")),
          program(QStringLiteral("program"),
                  QStringLiteral("Also program the value into the EEPROM once it is verified.")),
          measure(QStringLiteral("measure"),
                  QStringLiteral("Closed loop: after each send run CMD (a shell command that prints the "
                                 "measured VCOM in volts; the value sent is in VCOM7310_DCP, e.g. 7D); the "
                                 "divider options give the starting point."),
                  QStringLiteral("CMD")),
          meter(QStringLiteral("meter"),
                QStringLiteral("Closed loop with a bench meter spoken to directly: scpi:tcp:HOST[:PORT], "
                               "scpi:usbtmc:/dev/usbtmcN or scpi:serial:DEVICE[:BAUD]."),
                QStringLiteral("SPEC")),
          meterQuery(QStringLiteral("meter-query"),
                     QStringLiteral("The query that takes one measurement from the --meter (default READ?)."),
                     QStringLiteral("TEXT")),
          meterTimeout(QStringLiteral("meter-timeout"),
                       QStringLiteral("The longest one measurement may take, in seconds (default 10); a "
                                      "--measure command still running then is ended with its whole "
                                      "process group, and the run fails."),
                       QStringLiteral("S"), QStringLiteral("10")),
          settle(QStringLiteral("settle"),
                 QStringLiteral("Wait MS milliseconds after each send before measuring (default 0)."),
                 QStringLiteral("MS"), QStringLiteral("0")),
          average(QStringLiteral("average"),
                  QStringLiteral("Measure N times at each value and take the mean (default 1)."),
                  QStringLiteral("N"), QStringLiteral("1")),
          tolerance(
              QStringLiteral("tolerance"),
              QStringLiteral("The chosen value, measured once more, must lie within V volts of --vcom, "
                             "or the trim fails and nothing is programmed (default: one DCP step of the "
                             "model at the divider given)."),
              QStringLiteral("V")),
          log(QStringLiteral("log"),
              QStringLiteral("Append one JSON line per trim, pass or fail, to FILE (the station log)."),
              QStringLiteral("FILE")),
          boardId(QStringLiteral("board-id"),
                  QStringLiteral("The board's serial number or name, for the log."), QStringLiteral("TEXT")),
          from(QStringLiteral("from"), QStringLiteral("The first value of the sweep (default 00)."),
               QStringLiteral("HH"), QStringLiteral("00")),
          to(QStringLiteral("to"), QStringLiteral("The last value of the sweep (default FF)."),
             QStringLiteral("HH"), QStringLiteral("FF")),
          csv(QStringLiteral("csv"), QStringLiteral("Write the sweep to FILE as CSV."),
              QStringLiteral("FILE")),
          svg(QStringLiteral("svg"), QStringLiteral("Draw the sweep into FILE as an SVG picture."),
              QStringLiteral("FILE")),
          sweepVcom(QStringLiteral("vcom"), QStringLiteral("Mark the value whose VCOM is nearest V."),
                    QStringLiteral("V")),
          simVcomOffset(QStringLiteral("sim-vcom-offset"),
                        QStringLiteral("The simulated board's VCOM is MV millivolts above its model and gain "
                                       "error (kept in the --sim-state file)."),
                        QStringLiteral("MV")),
          simStep(QStringLiteral("sim-step"),
                  QStringLiteral("The simulated board's VCOM steps by MV millivolts from value HH on, as a "
                                 "faulty DCP would (kept in the --sim-state file)."),
                  QStringLiteral("HH:MV")) {
        // The field's tools take -V for the version and -v for verbose; -v still works, unlisted.
        oldVersion.setFlags(QCommandLineOption::HiddenFromHelp);
    }

    /// The options that may also stand before the command.
    std::vector<const QCommandLineOption*> shared() const {
        std::vector<const QCommandLineOption*> list = adapterSet.options();
        list.insert(list.end(),
                    {&simState, &simVcomError, &simVcomOffset, &simStep, &simFault, &simPowerCycle, &json});
        return list;
    }

    void addShared(QCommandLineParser& parser) const {
        for (const QCommandLineOption* option : shared()) {
            parser.addOption(*option);
        }
    }

    /// The options a command takes, --help and --json first.
    std::vector<const QCommandLineOption*> optionsFor(const CommandDefinition& definition) const {
        std::vector<const QCommandLineOption*> list{&help, &json};
        const auto add = [&list](std::initializer_list<const QCommandLineOption*> more) {
            list.insert(list.end(), more);
        };
        if (definition.groups & Bus) {
            const std::vector<const QCommandLineOption*> adapter = adapterSet.options();
            list.insert(list.end(), adapter.begin(), adapter.end());
            add({&simState, &simVcomError, &simVcomOffset, &simStep, &simFault, &simPowerCycle});
        }
        if (definition.groups & StateOnly) {
            add({&simState, &simVcomOffset, &simStep});
        }
        if (definition.groups & (Resistors | Range)) {
            add({&avdd, &rset});
        }
        if (definition.groups & Resistors) {
            add({&r1, &r2});
        }
        if (definition.groups & Range) {
            add({&vmax, &vmin});
        }
        if (definition.groups & Dcp) {
            add({&dcp});
        }
        if (definition.groups & Dec) {
            add({&dec});
        }
        if (definition.groups & Trim) {
            add({&vcom, &program, &tolerance, &log, &boardId});
        }
        if (definition.groups & Measure) {
            add({&measure, &meter, &meterQuery, &meterTimeout, &settle, &average});
        }
        if (definition.groups & Sweep) {
            add({&from, &to, &csv, &svg, &sweepVcom});
        }
        return list;
    }

    void addFor(const CommandDefinition& definition, QCommandLineParser& parser) const {
        for (const QCommandLineOption* option : optionsFor(definition)) {
            parser.addOption(*option);
        }
    }

    // An `i2c:auto` with no bridge or several is a failed connection like any other bus that is not
    // there (exit 1), not a bad option.
    AdapterOptionSet adapterSet{kSysfsRoot, AdapterOptionSet::BridgeLookup::WhenConnect};
    QCommandLineOption help, version, oldVersion, json, simState, simVcomError, simFault, simPowerCycle, dec,
        avdd, rset, r1, r2, vmax, vmin, dcp, vcom, program, measure, meter, meterQuery, meterTimeout, settle,
        average, tolerance, log, boardId, from, to, csv, svg, sweepVcom, simVcomOffset, simStep;
};

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
        parsed.jsonText = failureObject(std::nullopt, context.command, message, exitUsage).toText();
    }
    return parsed;
}

/// The parser's complaint, quoting an unknown option as every bad input is quoted.
QString parserProblem(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    return unknown.isEmpty() ? parser.errorText()
                             : QStringLiteral("Unknown option %1.").arg(quotedArgument(unknown.constFirst()));
}

/// One option as it stands on the command line: its name, and its words (the option, and its value when
/// that is the next word).
struct OptionWords {
    QString name;
    QStringList words;
};

struct ArrangedWords {
    std::vector<OptionWords> options;
    QStringList positional;
    QString missingValue;  ///< an option that takes a value but ends the command line
};

/// No option of ours is a digit or a point, so "-1" or "-0.5" is a (bad) value, never an option.
bool looksLikeNegativeNumber(const QString& word) {
    static const QRegularExpression shape(QStringLiteral("^-[0-9.]"));
    return shape.match(word).hasMatch();
}

/// Sorts command-line words into options and positional values as QCommandLineParser does, except that a
/// word that looks like a negative number is a value.
ArrangedWords arrangeWords(const QStringList& words, const std::vector<const QCommandLineOption*>& known) {
    const auto takesValue = [&known](const QString& name) {
        return std::any_of(known.begin(), known.end(), [&name](const QCommandLineOption* option) {
            return option->names().contains(name) && !option->valueName().isEmpty();
        });
    };
    ArrangedWords arranged;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word == QStringLiteral("--")) {
            arranged.positional += words.mid(i + 1);
            break;
        }
        if (!word.startsWith(u'-') || word.size() == 1 || looksLikeNegativeNumber(word)) {
            arranged.positional << word;
            continue;
        }
        const bool isLong = word.startsWith(QStringLiteral("--"));
        OptionWords option{isLong ? word.mid(2).section(u'=', 0, 0) : word.mid(1), {word}};
        if (!(isLong && word.contains(u'=')) && takesValue(option.name)) {
            if (i + 1 == words.size()) {
                arranged.missingValue = word;
            } else {
                option.words << words[++i];
            }
        }
        arranged.options.push_back(std::move(option));
    }
    return arranged;
}

ParsedCommandLine printing(const QString& text) {
    ParsedCommandLine parsed;
    parsed.action = ParsedCommandLine::Action::Print;
    parsed.text = text;
    return parsed;
}

/// The parser's help with our own usage line (it would name only the program, not the command).
QString helpWithUsage(const QCommandLineParser& parser, const QString& usage) {
    QString text = parser.helpText();
    const qsizetype endOfFirstLine = text.indexOf(u'\n');
    return QStringLiteral("Usage: ") + usage + text.mid(endOfFirstLine);
}

QString topHelp(const Options& options) {
    QCommandLineParser parser;
    parser.addOption(options.help);
    parser.addOption(options.version);
    options.addShared(parser);
    QString description = QStringLiteral(
        "Reads, sets, programs and trims the VCM7310's DCP from the command line, and works out its "
        "divider.\n\nCommands:\n");
    for (const CommandDefinition& definition : commandDefinitions()) {
        const QString name =
            definition.argument.isEmpty() ? definition.name : definition.name + u' ' + definition.argument;
        description += QStringLiteral("  %1  %2\n").arg(name, -14).arg(definition.brief);
    }
    description +=
        QStringLiteral(
            "\n'%1 COMMAND --help' shows a command's options.\n\n"
            "Exit codes: 0 success; 1 the chip, the adapter or a measurement failed, or a result cannot be\n"
            "worked out; 2 a usage error (nothing was sent).\n\n"
            "The options below may also stand before the command; a command ignores those it does not\n"
            "take there.")
            .arg(kProgram);
    parser.setApplicationDescription(description);
    return helpWithUsage(parser, kProgram + QStringLiteral(" [options] COMMAND [options]"));
}

/// The help of both calculations together, for `vcm7310 calc --help`.
QString calcHelp(const Options& options) {
    QCommandLineParser parser;
    const CommandDefinition both{Command::CalcForward,         QStringLiteral("calc"), {}, {}, {},
                                 Resistors | Range | Dcp | Dec};
    options.addFor(both, parser);
    parser.setApplicationDescription(
        QStringLiteral("The divider calculator, with the texts the window's fields show.\n"
                       "calc forward takes --avdd, --rset, --r1, --r2 and --dcp; calc reverse takes --avdd, "
                       "--rset, --vmax, --vmin and --dcp."));
    return helpWithUsage(parser, kProgram + QStringLiteral(" calc forward|reverse [options]"));
}

/// Reads the values of a parsed command line into an invocation; a bad value throws a usage failure.
class ValueReader {
  public:
    ValueReader(const QCommandLineParser& parser, const Options& options, const CommandDefinition& definition)
        : parser_(parser), options_(options), definition_(definition) {}

    Invocation read() const {
        Invocation invocation;
        invocation.command = definition_.command;
        invocation.json = parser_.isSet(options_.json);
        invocation.decimal = (definition_.groups & Dec) && parser_.isSet(options_.dec);
        if (definition_.groups & Bus) {
            QString problem;
            const std::optional<AdapterOptions> adapter = options_.adapterSet.read(parser_, problem);
            if (!adapter) {
                throw CommandFailure{exitUsage, problem};
            }
            invocation.adapter = *adapter;
            invocation.sim.eepromGiven = parser_.isSet(QStringLiteral("eeprom"));
            readSim(invocation);
        }
        if (definition_.groups & StateOnly) {
            invocation.sim.stateFile = parser_.value(options_.simState);
            if (invocation.sim.stateFile.isEmpty()) {
                throw CommandFailure{exitUsage,
                                     QStringLiteral("%1 needs --sim-state FILE.").arg(definition_.name)};
            }
            readShape(invocation.sim);
        }
        if (!definition_.argument.isEmpty()) {
            invocation.value = requireDcpArgument(QStringLiteral("VALUE"),
                                                  parser_.positionalArguments().value(0), invocation.decimal);
        }
        const std::uint8_t d = (definition_.groups & Dcp)
                                   ? requireDcpArgument(QStringLiteral("--dcp value"),
                                                        parser_.value(options_.dcp), invocation.decimal)
                                   : std::uint8_t{0};
        if (definition_.groups & Resistors) {
            invocation.forward = {number(options_.avdd), number(options_.rset), number(options_.r1),
                                  number(options_.r2), d};
        }
        if (definition_.groups & Range) {
            invocation.reverse = {number(options_.avdd), number(options_.rset), number(options_.vmax),
                                  number(options_.vmin), d};
        }
        if (definition_.groups & Trim) {
            if (!parser_.isSet(options_.vcom)) {
                throw CommandFailure{exitUsage,
                                     QStringLiteral("trim needs --vcom V, the wanted VCOM in volts.")};
            }
            invocation.targetVcom = number(options_.vcom);
            invocation.program = parser_.isSet(options_.program);
            if (parser_.isSet(options_.tolerance)) {
                invocation.tolerance = number(options_.tolerance);
                if (!(*invocation.tolerance > 0.0)) {
                    throw CommandFailure{exitUsage,
                                         QStringLiteral("Bad --tolerance value %1 (give a number of "
                                                        "volts above 0, such as 0.005).")
                                             .arg(quotedArgument(parser_.value(options_.tolerance)))};
                }
            }
            if (parser_.isSet(options_.log)) {
                invocation.logFile = parser_.value(options_.log);
                if (invocation.logFile.isEmpty()) {
                    throw CommandFailure{exitUsage, QStringLiteral("--log needs a file name.")};
                }
            }
            invocation.boardId = parser_.value(options_.boardId);
        }
        if (definition_.groups & Measure) {
            readMeter(invocation);
        }
        if (definition_.groups & Sweep) {
            // The sweep's values are hexadecimal: it has no --dec.
            invocation.from = requireDcpArgument(QStringLiteral("--from value"), parser_.value(options_.from),
                                                 false, false);
            invocation.to =
                requireDcpArgument(QStringLiteral("--to value"), parser_.value(options_.to), false, false);
            if (invocation.from > invocation.to) {
                throw CommandFailure{exitUsage, QStringLiteral("--from %1 lies above --to %2.")
                                                    .arg(quotedArgument(parser_.value(options_.from)),
                                                         quotedArgument(parser_.value(options_.to)))};
            }
            invocation.csvFile = parser_.value(options_.csv);
            invocation.svgFile = parser_.value(options_.svg);
            if (parser_.isSet(options_.sweepVcom)) {
                invocation.sweepVcom = number(options_.sweepVcom);
            }
        }
        return invocation;
    }

  private:
    void readMeter(Invocation& invocation) const {
        MeterOptions& meter = invocation.meter;
        meter.trace = invocation.adapter.trace;
        if (parser_.isSet(options_.measure)) {
            meter.command = parser_.value(options_.measure);
            if (meter.command.trimmed().isEmpty()) {
                throw CommandFailure{exitUsage, QStringLiteral("--measure needs a command.")};
            }
        }
        if (parser_.isSet(options_.meter)) {
            if (parser_.isSet(options_.measure)) {
                throw CommandFailure{exitUsage, QStringLiteral("Give --measure or --meter, not both.")};
            }
            meter.spec = parser_.value(options_.meter);
            QString problem;
            if (!parseMeterSpec(meter.spec, problem)) {
                throw CommandFailure{exitUsage, problem};
            }
        }
        meter.query = parser_.value(options_.meterQuery);
        if (parser_.isSet(options_.meterQuery)) {
            if (const QString problem = meterQueryProblem(meter.query); !problem.isEmpty()) {
                throw CommandFailure{exitUsage, problem};
            }
        }
        const std::optional<double> timeout = numberArgument(parser_.value(options_.meterTimeout));
        if (!timeout || !(*timeout > 0.0) || *timeout > 86400.0) {
            throw CommandFailure{exitUsage,
                                 QStringLiteral("Bad --meter-timeout %1 (give seconds above 0, such "
                                                "as 10).")
                                     .arg(quotedArgument(parser_.value(options_.meterTimeout)))};
        }
        meter.timeoutSeconds = *timeout;
        invocation.settleMs = wholeNumber(options_.settle, 0, 600000, QStringLiteral("milliseconds"));
        invocation.average = wholeNumber(options_.average, 1, 1000, QStringLiteral("a count"));
        const bool measuring = meter.given();
        for (const QCommandLineOption* option :
             {&options_.meterQuery, &options_.meterTimeout, &options_.settle, &options_.average}) {
            if (!measuring && parser_.isSet(*option)) {
                throw CommandFailure{
                    exitUsage,
                    QStringLiteral("--%1 needs --measure or --meter.").arg(option->names().constFirst())};
            }
        }
        if (parser_.isSet(options_.meterQuery) && meter.spec.isEmpty()) {
            throw CommandFailure{exitUsage, QStringLiteral("--meter-query needs --meter.")};
        }
    }

    int wholeNumber(const QCommandLineOption& option, int low, int high, const QString& what) const {
        const QString text = parser_.value(option).trimmed();
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < low || value > high) {
            throw CommandFailure{exitUsage, QStringLiteral("Bad --%1 value %2 (give %3 from %4 to %5).")
                                                .arg(option.names().constFirst(), quotedArgument(text), what)
                                                .arg(low)
                                                .arg(high)};
        }
        return value;
    }

    /// --sim-vcom-offset and --sim-step, where given.
    void readShape(SimOptions& sim) const {
        if (parser_.isSet(options_.simVcomOffset)) {
            const QString text = parser_.value(options_.simVcomOffset);
            const std::optional<double> millivolts = numberArgument(text);
            if (!millivolts || std::abs(*millivolts) > maxSimMillivolts) {
                throw CommandFailure{exitUsage,
                                     QStringLiteral("Bad --sim-vcom-offset %1 (give millivolts from "
                                                    "-5000 to 5000).")
                                         .arg(quotedArgument(text))};
            }
            sim.vcomOffsetMv = millivolts;
        }
        if (parser_.isSet(options_.simStep)) {
            const QString text = parser_.value(options_.simStep);
            const qsizetype colon = text.indexOf(u':');
            const std::optional<std::uint8_t> from =
                colon < 0 ? std::nullopt : dcpArgument(text.left(colon), false);
            const std::optional<double> millivolts =
                colon < 0 ? std::nullopt : numberArgument(text.mid(colon + 1));
            if (!from || !millivolts || std::abs(*millivolts) > maxSimMillivolts) {
                throw CommandFailure{exitUsage,
                                     QStringLiteral("Bad --sim-step %1 (give HH:MV, a hex value and "
                                                    "millivolts from -5000 to 5000, such as 80:20).")
                                         .arg(quotedArgument(text))};
            }
            sim.step = std::pair{*from, *millivolts};
        }
    }

    void readSim(Invocation& invocation) const {
        SimOptions& sim = invocation.sim;
        sim.stateFile = parser_.value(options_.simState);
        if (parser_.isSet(options_.simState) && sim.stateFile.isEmpty()) {
            throw CommandFailure{exitUsage, QStringLiteral("--sim-state needs a file name.")};
        }
        if (parser_.isSet(options_.simVcomError)) {
            const QString text = parser_.value(options_.simVcomError);
            const std::optional<double> percent = numberArgument(text);
            if (!percent || std::abs(*percent) > maxSimVcomErrorPercent) {
                throw CommandFailure{
                    exitUsage, QStringLiteral("Bad --sim-vcom-error %1 (give a percentage from -50 to 50).")
                                   .arg(quotedArgument(text))};
            }
            sim.vcomErrorPercent = percent;
        }
        readShape(sim);
        if (parser_.isSet(options_.simFault)) {
            const QString text = parser_.value(options_.simFault);
            if (text == QStringLiteral("read-fails")) {
                sim.fault = SimFault::ReadFails;
            } else if (text == QStringLiteral("writes-lost")) {
                sim.fault = SimFault::WritesLost;
            } else {
                throw CommandFailure{exitUsage,
                                     QStringLiteral("Unknown --sim-fault %1 (use read-fails or writes-lost).")
                                         .arg(quotedArgument(text))};
            }
        }
        sim.powerCycle = parser_.isSet(options_.simPowerCycle);
        const bool simOptionGiven =
            parser_.isSet(options_.simState) || parser_.isSet(options_.simVcomError) ||
            parser_.isSet(options_.simFault) || parser_.isSet(options_.simVcomOffset) ||
            parser_.isSet(options_.simStep) || sim.powerCycle;
        if (simOptionGiven && invocation.adapter.adapter.choice != AdapterChoice::Simulated) {
            throw CommandFailure{
                exitUsage,
                QStringLiteral("The --sim-... options apply to the simulated board (--adapter sim) only.")};
        }
    }

    double number(const QCommandLineOption& option) const {
        const QString text = parser_.value(option);
        const std::optional<double> value = numberArgument(text);
        if (!value) {
            throw CommandFailure{exitUsage,
                                 QStringLiteral("Bad --%1 value %2 (give a number such as 4.9179).")
                                     .arg(option.names().constFirst(), quotedArgument(text))};
        }
        return *value;
    }

    const QCommandLineParser& parser_;
    const Options& options_;
    const CommandDefinition& definition_;
};

const CommandDefinition* findCommand(const QStringList& words, qsizetype& wordsUsed) {
    const QString first = words.value(0);
    const QString two = first + u' ' + words.value(1);
    for (const CommandDefinition& definition : commandDefinitions()) {
        if (definition.name == two) {
            wordsUsed = 2;
            return &definition;
        }
        if (definition.name == first) {
            wordsUsed = 1;
            return &definition;
        }
    }
    return nullptr;
}

}  // namespace

ParsedCommandLine parseCommandLine(const QStringList& arguments, const QString& version) {
    const Options options;
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
                : QStringLiteral("Unknown command %1.").arg(quotedArgument(tail.constFirst()));
        return failure(problem, context);
    }
    context.helpHint = kProgram + u' ' + definition->name;
    context.command = definition->name;

    // The shared options before the command that it takes (those it does not take are ignored, as the
    // top help says), then its own words, its values last so that none is taken for an option.
    const std::vector<const QCommandLineOption*> taken = options.optionsFor(*definition);
    const auto takes = [&taken](const QString& name) {
        return std::any_of(taken.begin(), taken.end(), [&name](const QCommandLineOption* option) {
            return option->names().contains(name);
        });
    };
    QStringList commandLine{withName.constFirst()};
    const QStringList before = withName.mid(1, withName.size() - 1 - tail.size());
    for (const OptionWords& option : arrangeWords(before, options.shared()).options) {
        if (takes(option.name)) {
            commandLine += option.words;
        }
    }
    const ArrangedWords after = arrangeWords(tail.mid(wordsUsed), taken);
    for (const OptionWords& option : after.options) {
        commandLine += option.words;
    }
    if (!after.positional.isEmpty()) {
        commandLine << QStringLiteral("--") << after.positional;
    }

    QCommandLineParser parser;
    options.addFor(*definition, parser);
    parser.setApplicationDescription(definition->summary);
    if (!definition->argument.isEmpty()) {
        parser.addPositionalArgument(definition->argument,
                                     QStringLiteral("The DCP value: one or two hex digits (7D or 0x7D), or "
                                                    "decimal with --dec (125)."));
    }
    const bool parsedCommand = parser.parse(commandLine);
    context.json = parser.isSet(options.json);
    if (!parsedCommand) {
        return failure(parserProblem(parser), context);
    }
    if (!after.missingValue.isEmpty()) {
        return failure(QStringLiteral("Missing value after '%1'.").arg(after.missingValue), context);
    }
    if (parser.isSet(options.help)) {
        const QString usage = context.helpHint + QStringLiteral(" [options]") +
                              (definition->argument.isEmpty() ? QString() : u' ' + definition->argument);
        return printing(helpWithUsage(parser, usage));
    }
    const qsizetype expected = definition->argument.isEmpty() ? 0 : 1;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < expected) {
        return failure(QStringLiteral("%1 needs %2.").arg(definition->name, definition->argument), context);
    }
    if (positional.size() > expected) {
        return failure(
            QStringLiteral("Unexpected argument %1.").arg(quotedArgument(positional.value(expected))),
            context);
    }
    try {
        ParsedCommandLine parsed;
        parsed.invocation = ValueReader(parser, options, *definition).read();
        parsed.invocation.toolVersion = version;
        return parsed;
    } catch (const CommandFailure& problem) {
        return failure(problem.message, context);
    }
}

}  // namespace vcm
