#include "cli/options/ValueReader.h"

#include "adapter/core/ArgumentText.h"
#include "cli/commands/CommandFailure.h"

#include <QRegularExpression>
#include <QSysInfo>
#include "cli/options/ArgumentValues.h"

namespace vcm::cli {

ValueReader::ValueReader(const QCommandLineParser& parser, const ToolOptions& options,
                         const CommandDefinition& definition)
    : parser_(parser), options_(options), definition_(definition) {}

Invocation ValueReader::read() const {
    Invocation invocation;
    invocation.command = definition_.command;
    invocation.json = parser_.isSet(options_.json);
    invocation.decimal = (definition_.groups & OptionGroup::Dec) && parser_.isSet(options_.dec);
    if (definition_.groups & OptionGroup::Bus) {
        QString problem;
        const std::optional<adapter::AdapterOptions> adapter = options_.adapterSet.read(parser_, problem);
        if (!adapter) {
            throw CommandFailure{kExitUsage, problem};
        }
        invocation.adapter = *adapter;
        invocation.sim.eepromGiven = parser_.isSet(QStringLiteral("eeprom"));
        readSim(invocation);
    }
    if (definition_.groups & OptionGroup::StateOnly) {
        invocation.sim.stateFile = parser_.value(options_.simState);
        if (invocation.sim.stateFile.isEmpty()) {
            throw CommandFailure{kExitUsage,
                                 QStringLiteral("%1 needs --sim-state FILE.").arg(definition_.name)};
        }
        readShape(invocation.sim);
    }
    if (!definition_.argument.isEmpty() && !takesSeveral(definition_)) {
        invocation.value = requireDcpArgument(QStringLiteral("VALUE"), parser_.positionalArguments().value(0),
                                              invocation.decimal);
    }
    const std::uint8_t d = (definition_.groups & OptionGroup::Dcp)
                               ? requireDcpArgument(QStringLiteral("--dcp value"),
                                                    parser_.value(options_.dcp), invocation.decimal)
                               : std::uint8_t{0};
    if (definition_.groups & OptionGroup::Resistors) {
        invocation.forward = {number(options_.avdd), number(options_.rset), number(options_.r1),
                              number(options_.r2), d};
    }
    if (definition_.groups & OptionGroup::Range) {
        invocation.reverse = {number(options_.avdd), number(options_.rset), number(options_.vmax),
                              number(options_.vmin), d};
    }
    if (definition_.groups & OptionGroup::Trim) {
        readTrim(invocation);
    }
    if (definition_.groups & OptionGroup::Measure) {
        readMeter(invocation);
    }
    // Without a meter nothing is measured, so there is nothing a tolerance could hold.
    if ((definition_.groups & OptionGroup::Trim) && invocation.tolerance && !invocation.meter.given()) {
        throw CommandFailure{kExitUsage, QStringLiteral("--tolerance needs --measure or --meter.")};
    }
    if (definition_.groups & OptionGroup::Sweep) {
        readSweep(invocation);
    }
    if (definition_.groups & OptionGroup::Report) {
        readReport(invocation);
    }
    return invocation;
}

void ValueReader::readTrim(Invocation& invocation) const {
    if (!parser_.isSet(options_.vcom)) {
        throw CommandFailure{kExitUsage, QStringLiteral("trim needs --vcom V, the wanted VCOM in volts.")};
    }
    invocation.targetVcom = number(options_.vcom);
    invocation.program = parser_.isSet(options_.program);
    if (parser_.isSet(options_.tolerance)) {
        invocation.tolerance = number(options_.tolerance);
        if (!(*invocation.tolerance > 0.0)) {
            throw CommandFailure{kExitUsage,
                                 QStringLiteral("Bad --tolerance value %1 (give a number of "
                                                "volts above 0, such as 0.005).")
                                     .arg(adapter::quotedArgument(parser_.value(options_.tolerance)))};
        }
    }
    if (parser_.isSet(options_.log)) {
        invocation.logFile = parser_.value(options_.log);
        if (invocation.logFile.isEmpty()) {
            throw CommandFailure{kExitUsage, QStringLiteral("--log needs a file name.")};
        }
    }
    if (definition_.groups & OptionGroup::BoardId) {
        invocation.boardId = parser_.value(options_.boardId);
    }
    invocation.stationId =
        parser_.isSet(options_.stationId) ? parser_.value(options_.stationId) : QSysInfo::machineHostName();
    invocation.operatorName = parser_.value(options_.operatorName);
    if (definition_.groups & OptionGroup::Session) {
        invocation.retest = parser_.isSet(options_.retest);
        invocation.idPattern = parser_.value(options_.idPattern);
        if (parser_.isSet(options_.idPattern) && !QRegularExpression(invocation.idPattern).isValid()) {
            throw CommandFailure{kExitUsage,
                                 QStringLiteral("Bad --id-pattern %1 (%2).")
                                     .arg(adapter::quotedArgument(invocation.idPattern),
                                          QRegularExpression(invocation.idPattern).errorString())};
        }
    }
}

void ValueReader::readSweep(Invocation& invocation) const {
    // The sweep's values are hexadecimal: it has no --dec.
    invocation.from =
        requireDcpArgument(QStringLiteral("--from value"), parser_.value(options_.from), false, false);
    invocation.to =
        requireDcpArgument(QStringLiteral("--to value"), parser_.value(options_.to), false, false);
    if (invocation.from > invocation.to) {
        throw CommandFailure{kExitUsage, QStringLiteral("--from %1 lies above --to %2.")
                                             .arg(adapter::quotedArgument(parser_.value(options_.from)),
                                                  adapter::quotedArgument(parser_.value(options_.to)))};
    }
    invocation.csvFile = parser_.value(options_.csv);
    invocation.svgFile = parser_.value(options_.svg);
    if (parser_.isSet(options_.sweepVcom)) {
        invocation.sweepVcom = number(options_.sweepVcom);
    }
}

void ValueReader::readReport(Invocation& invocation) const {
    invocation.logFiles = parser_.positionalArguments();
    for (const QCommandLineOption* option : {&options_.reportCsv, &options_.reportSvg}) {
        if (parser_.isSet(*option) && parser_.value(*option).isEmpty()) {
            throw CommandFailure{kExitUsage,
                                 QStringLiteral("--%1 needs a file name.").arg(option->names().constFirst())};
        }
    }
    invocation.csvFile = parser_.value(options_.reportCsv);
    invocation.svgFile = parser_.value(options_.reportSvg);
}

double ValueReader::number(const QCommandLineOption& option) const {
    const QString text = parser_.value(option);
    const std::optional<double> value = numberArgument(text);
    if (!value) {
        throw CommandFailure{kExitUsage,
                             QStringLiteral("Bad --%1 value %2 (give a number such as 4.9179).")
                                 .arg(option.names().constFirst(), adapter::quotedArgument(text))};
    }
    return *value;
}

int ValueReader::wholeNumber(const QCommandLineOption& option, int low, int high, const QString& what) const {
    const QString text = parser_.value(option).trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high) {
        throw CommandFailure{kExitUsage,
                             QStringLiteral("Bad --%1 value %2 (give %3 from %4 to %5).")
                                 .arg(option.names().constFirst(), adapter::quotedArgument(text), what)
                                 .arg(low)
                                 .arg(high)};
    }
    return value;
}

}  // namespace vcm::cli
