#include "cli/options/ToolOptions.h"

#include "calculator/FieldTexts.h"
#include "cli/options/CommandTable.h"

#include <variant>

namespace vcm::cli {

namespace {

/// The range the window shows once it has started: the forward results of its start-up texts, as texts.
struct StartUpRange {
    QString voutMax;
    QString voutMin;
};

StartUpRange startUpRange() {
    const auto results = std::get<calc::ForwardResults>(calc::computeForward(calc::defaultDivider(0)));
    return {calc::voltageText(results.voutMax, QLocale::c()),
            calc::voltageText(results.voutMin, QLocale::c())};
}

}  // namespace

ToolOptions::ToolOptions()
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
               QStringLiteral("Make the simulated board fail: read-fails (every read fails), "
                              "writes-lost (writes are acknowledged but never reach the chip) or "
                              "eeprom-fails (an EEPROM write fails, as when the board loses contact)."),
               QStringLiteral("read-fails|writes-lost|eeprom-fails")),
      simPowerCycle(QStringLiteral("sim-power-cycle"),
                    QStringLiteral("Power the simulated board of the --sim-state file off and on first: "
                                   "its data register is loaded from its EEPROM, as a real board's is at "
                                   "power-on (the way to check a programmed value).")),
      dec(QStringLiteral("dec"), QStringLiteral("DCP values are decimal (0 to 255) instead of hex.")),
      avdd(QStringLiteral("avdd"),
           QStringLiteral("Analog supply voltage AVDD in volts (default %1).").arg(calc::kAvddDefaultText),
           QStringLiteral("V"), QString::fromUtf16(calc::kAvddDefaultText)),
      rset(QStringLiteral("rset"),
           QStringLiteral("Resistor RSET in ohms (default %1).").arg(calc::kRsetDefaultText),
           QStringLiteral("OHM"), QString::fromUtf16(calc::kRsetDefaultText)),
      r1(QStringLiteral("r1"),
         QStringLiteral("Top resistor R1 of the divider in ohms (default %1).").arg(calc::kR1DefaultText),
         QStringLiteral("OHM"), QString::fromUtf16(calc::kR1DefaultText)),
      r2(QStringLiteral("r2"),
         QStringLiteral("Bottom resistor R2 of the divider in ohms (default %1).").arg(calc::kR2DefaultText),
         QStringLiteral("OHM"), QString::fromUtf16(calc::kR2DefaultText)),
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
              QStringLiteral(
                  "Closed loop: after each send run CMD (a shell command that prints the "
                  "measured VCOM in volts; the value sent is in VCM7310_DCP, e.g. 7D, the board's id in "
                  "VCM7310_BOARD); the "
                  "divider options give the starting point."),
              QStringLiteral("CMD")),
      meter(QStringLiteral("meter"),
            QStringLiteral("Closed loop with a bench meter spoken to directly: scpi:tcp:HOST[:PORT], "
                           "scpi:usbtmc:/dev/usbtmcN or scpi:serial:DEVICE[:BAUD]."),
            QStringLiteral("ADDRESS")),
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
      tolerance(QStringLiteral("tolerance"),
                QStringLiteral("The chosen value, measured once more, must lie within V volts of --vcom, "
                               "or the trim fails and nothing is programmed (default: one DCP step of the "
                               "model at the divider given)."),
                QStringLiteral("V")),
      log(QStringLiteral("log"),
          QStringLiteral("Append one JSON line per attempt, whatever its outcome, to FILE (the station "
                         "log)."),
          QStringLiteral("FILE")),
      boardId(QStringLiteral("board-id"), QStringLiteral("The board's serial number or name, for the log."),
              QStringLiteral("TEXT")),
      stationId(QStringLiteral("station-id"),
                QStringLiteral("The station's name in the log (default the host's name)."),
                QStringLiteral("TEXT")),
      operatorName(QStringLiteral("operator"), QStringLiteral("Who runs the station, for the log."),
                   QStringLiteral("NAME")),
      idPattern(QStringLiteral("id-pattern"),
                QStringLiteral("A board id must match REGEX as a whole; another is refused without touching "
                               "the bus."),
                QStringLiteral("REGEX")),
      retest(QStringLiteral("retest"),
             QStringLiteral("Trim again a board that already passed in the log, without asking.")),
      from(QStringLiteral("from"), QStringLiteral("The first value of the sweep (default 00)."),
           QStringLiteral("HH"), QStringLiteral("00")),
      to(QStringLiteral("to"), QStringLiteral("The last value of the sweep (default FF)."),
         QStringLiteral("HH"), QStringLiteral("FF")),
      csv(QStringLiteral("csv"), QStringLiteral("Write the sweep to FILE as CSV."), QStringLiteral("FILE")),
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
              QStringLiteral("HH:MV")),
      reportCsv(
          QStringLiteral("csv"),
          QStringLiteral("Write one row per attempt to FILE as CSV, for a manufacturing execution system "
                         "to import: the log and line, times, station, operator, board, attempt, tool, "
                         "settings, readings, final error, outcome, failure, programmed and reason."),
          QStringLiteral("FILE")),
      reportSvg(QStringLiteral("svg"),
                QStringLiteral("Draw the histogram of the final error into FILE as an SVG picture, with the "
                               "tolerance most attempts had marked."),
                QStringLiteral("FILE")) {
    // The field's tools take -V for the version and -v for verbose; -v still works, unlisted.
    oldVersion.setFlags(QCommandLineOption::HiddenFromHelp);
}

std::vector<const QCommandLineOption*> ToolOptions::shared() const {
    std::vector<const QCommandLineOption*> list = adapterSet.options();
    list.insert(list.end(),
                {&simState, &simVcomError, &simVcomOffset, &simStep, &simFault, &simPowerCycle, &json});
    return list;
}

void ToolOptions::addShared(QCommandLineParser& parser) const {
    for (const QCommandLineOption* option : shared()) {
        parser.addOption(*option);
    }
}

std::vector<const QCommandLineOption*> ToolOptions::optionsFor(unsigned groups) const {
    std::vector<const QCommandLineOption*> list{&help, &json};
    const auto add = [&list](std::initializer_list<const QCommandLineOption*> more) {
        list.insert(list.end(), more);
    };
    if (groups & OptionGroup::Bus) {
        const std::vector<const QCommandLineOption*> adapter = adapterSet.options();
        list.insert(list.end(), adapter.begin(), adapter.end());
        add({&simState, &simVcomError, &simVcomOffset, &simStep, &simFault, &simPowerCycle});
    }
    if (groups & OptionGroup::StateOnly) {
        add({&simState, &simVcomOffset, &simStep});
    }
    if (groups & (OptionGroup::Resistors | OptionGroup::Range)) {
        add({&avdd, &rset});
    }
    if (groups & OptionGroup::Resistors) {
        add({&r1, &r2});
    }
    if (groups & OptionGroup::Range) {
        add({&vmax, &vmin});
    }
    if (groups & OptionGroup::Dcp) {
        add({&dcp});
    }
    if (groups & OptionGroup::Dec) {
        add({&dec});
    }
    if (groups & OptionGroup::Trim) {
        add({&vcom, &program, &tolerance, &log, &stationId, &operatorName});
    }
    if (groups & OptionGroup::BoardId) {
        add({&boardId});
    }
    if (groups & OptionGroup::Session) {
        add({&idPattern, &retest});
    }
    if (groups & OptionGroup::Measure) {
        add({&measure, &meter, &meterQuery, &meterTimeout, &settle, &average});
    }
    if (groups & OptionGroup::Sweep) {
        add({&from, &to, &csv, &svg, &sweepVcom});
    }
    if (groups & OptionGroup::Report) {
        add({&reportCsv, &reportSvg});
    }
    return list;
}

void ToolOptions::addFor(unsigned groups, QCommandLineParser& parser) const {
    for (const QCommandLineOption* option : optionsFor(groups)) {
        parser.addOption(*option);
    }
}

}  // namespace vcm::cli
