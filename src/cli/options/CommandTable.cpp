#include "cli/options/CommandTable.h"

#include <stdexcept>

namespace vcm::cli {

namespace {

/// A command that has no use for the built-in meter.
template <JsonObject (*run)(const Invocation&, const CommandOutput&)>
JsonObject withoutMeter(const Invocation& invocation, const CommandOutput& out, const MeterMaker&) {
    return run(invocation, out);
}

}  // namespace

const std::vector<CommandDefinition>& commandTable() {
    static const std::vector<CommandDefinition> table{
        {Command::Read,
         QStringLiteral("read"),
         QStringLiteral("Read the data register."),
         QStringLiteral("Read the chip's data register and print it in hex and decimal."),
         {},
         OptionGroup::Bus,
         withoutMeter<runRead>},
        {Command::Send, QStringLiteral("send"),
         QStringLiteral("Send VALUE to the data register and verify it."),
         QStringLiteral("Write VALUE to the data register, read it back and fail if the chip does not hold "
                        "it."),
         QStringLiteral("VALUE"), OptionGroup::Bus | OptionGroup::Dec, withoutMeter<runSend>},
        {Command::Program, QStringLiteral("program"),
         QStringLiteral("Send and verify VALUE, then program the EEPROM."),
         QStringLiteral("Send VALUE, verify it by reading it back, then program it into the EEPROM."),
         QStringLiteral("VALUE"), OptionGroup::Bus | OptionGroup::Dec, withoutMeter<runProgram>},
        {Command::CalcForward,
         QStringLiteral("calc forward"),
         QStringLiteral("The output range from the resistors."),
         QStringLiteral("Work out IOUT, VRSET, VCOM and the output range from the resistor values, with the "
                        "calculator's texts."),
         {},
         OptionGroup::Resistors | OptionGroup::Dcp | OptionGroup::Dec,
         withoutMeter<runCalcForward>},
        {Command::CalcReverse,
         QStringLiteral("calc reverse"),
         QStringLiteral("The resistors from a wanted output range."),
         QStringLiteral("Work out R1 and R2 (and IOUT, VRSET, VCOM) from a wanted output range, with the "
                        "calculator's texts."),
         {},
         OptionGroup::Range | OptionGroup::Dcp | OptionGroup::Dec,
         withoutMeter<runCalcReverse>},
        {Command::Trim,
         QStringLiteral("trim"),
         QStringLiteral("Set the value nearest a wanted VCOM."),
         QStringLiteral("Set the DCP value whose VCOM is nearest --vcom: predicted by the divider model, or "
                        "measured with --measure or --meter, starting where the model predicts it. Sends it, "
                        "verifies it, measures it again, and programs it with --program only when that last "
                        "measurement is within --tolerance of the target."),
         {},
         OptionGroup::Bus | OptionGroup::Resistors | OptionGroup::Trim | OptionGroup::BoardId |
             OptionGroup::Measure,
         runTrim},
        {Command::Station,
         QStringLiteral("station"),
         QStringLiteral("Trim board after board, their ids read from stdin."),
         QStringLiteral(
             "A trim station for a shift: reads board ids from stdin, one per line (a barcode scanner "
             "types the id and Enter), trims each as trim does and prints one verdict line per board, "
             "keeping the adapter and the meter connected between boards. An empty id, or one that does "
             "not match --id-pattern, is refused without touching the bus; a board that already passed in "
             "the --log is trimmed again only when the operator says so at the terminal, or with --retest. "
             "A board that fails does not end the session; a station error (adapter, bus, meter, log) or a "
             "stop does. At the end of the input: a summary (boards, passed, failed, errors, yield)."),
         {},
         OptionGroup::Bus | OptionGroup::Resistors | OptionGroup::Trim | OptionGroup::Measure |
             OptionGroup::Session,
         runStation},
        {Command::Sweep,
         QStringLiteral("sweep"),
         QStringLiteral("The VCOM of every value: model and measured."),
         QStringLiteral(
             "List the model's VCOM of every DCP value from --from to --to and, with --measure or "
             "--meter, the measured one (each value sent and verified), then set the data register "
             "back to what it held. Never writes the EEPROM."),
         {},
         OptionGroup::Bus | OptionGroup::Resistors | OptionGroup::Measure | OptionGroup::Sweep,
         runSweep},
        {Command::Report, QStringLiteral("report"),
         QStringLiteral("Yields, failures and spreads from station logs."),
         QStringLiteral(
             "Report on station logs: the attempts by outcome and by failure code, the yields, the retests,\n"
             "and the spread of the chosen values and of the final error, per station and in total.\n"
             "\n"
             "Each line of a log is one trim attempt, in the current format or the older one (\"time\" and\n"
             "\"result\", no station: counted as station (unknown)). A board is a boardId; attempts without\n"
             "one are counted but left out of the boards, yields and retests. A board's first and last\n"
             "attempts are its earliest and latest by start time in all the logs given; a station's figures\n"
             "come from its own lines alone.\n"
             "\n"
             "First-pass yield: the boards whose first attempt passed, over the boards. Final yield: the\n"
             "boards whose last attempt passed, over the boards. Retests: the attempts beyond each board's\n"
             "first.\n"
             "\n"
             "Final error: finalVcom - target (closed loop), or predictedVcom - target (model trims), in\n"
             "volts, of every attempt that has one, passed or not: min, median, max, mean and sample\n"
             "standard deviation. Chosen value: min, median (the lower of two middle ones), max.\n"
             "\n"
             "A malformed line is counted and named on stderr (LOG:LINE: why, the first 50), never fatal.\n"
             "\n"
             "Exit codes: 0 a report was made (malformed lines or not); 2 a usage error; 3 a log cannot be\n"
             "read, or the CSV or SVG file cannot be written."),
         QStringLiteral("LOG..."), OptionGroup::Report, withoutMeter<runReport>},
        {Command::SimMeasure,
         QStringLiteral("sim-measure"),
         QStringLiteral("Print the simulated board's VCOM."),
         QStringLiteral("Print the simulated board's VCOM in volts, as a multimeter would (for trim "
                        "--measure). --sim-vcom-offset and --sim-step given here shape this reading alone."),
         {},
         OptionGroup::StateOnly,
         withoutMeter<runSimMeasure>},
    };
    return table;
}

const CommandDefinition& commandDefinition(Command command) {
    for (const CommandDefinition& definition : commandTable()) {
        if (definition.command == command) {
            return definition;
        }
    }
    throw std::logic_error("a command without a row in the command table");
}

const CommandDefinition* findCommand(const QStringList& words, qsizetype& wordsUsed) {
    const QString first = words.value(0);
    const QString two = first + u' ' + words.value(1);
    for (const CommandDefinition& definition : commandTable()) {
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

bool takesSeveral(const CommandDefinition& definition) {
    return definition.argument.endsWith(QStringLiteral("..."));
}

}  // namespace vcm::cli
