// Reading the simulated board's options (--sim-...) into an invocation.
#include "cli/options/ValueReader.h"

#include "adapter/core/ArgumentText.h"
#include "cli/commands/CommandFailure.h"
#include "cli/options/ArgumentValues.h"

#include <cmath>

namespace vcm::cli {

namespace {

constexpr double kMaxSimVcomErrorPercent = 50.0;
constexpr double kMaxSimMillivolts = 5000.0;

}  // namespace

void ValueReader::readShape(adapter::SimOptions& sim) const {
    if (parser_.isSet(options_.simVcomOffset)) {
        const QString text = parser_.value(options_.simVcomOffset);
        const std::optional<double> millivolts = numberArgument(text);
        if (!millivolts || std::abs(*millivolts) > kMaxSimMillivolts) {
            throw CommandFailure{kExitUsage, QStringLiteral("Bad --sim-vcom-offset %1 (give millivolts from "
                                                            "-5000 to 5000).")
                                                 .arg(adapter::quotedArgument(text))};
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
        if (!from || !millivolts || std::abs(*millivolts) > kMaxSimMillivolts) {
            throw CommandFailure{kExitUsage, QStringLiteral("Bad --sim-step %1 (give HH:MV, a hex value and "
                                                            "millivolts from -5000 to 5000, such as 80:20).")
                                                 .arg(adapter::quotedArgument(text))};
        }
        sim.step = std::pair{*from, *millivolts};
    }
}

void ValueReader::readSim(Invocation& invocation) const {
    adapter::SimOptions& sim = invocation.sim;
    sim.stateFile = parser_.value(options_.simState);
    if (parser_.isSet(options_.simState) && sim.stateFile.isEmpty()) {
        throw CommandFailure{kExitUsage, QStringLiteral("--sim-state needs a file name.")};
    }
    if (parser_.isSet(options_.simVcomError)) {
        const QString text = parser_.value(options_.simVcomError);
        const std::optional<double> percent = numberArgument(text);
        if (!percent || std::abs(*percent) > kMaxSimVcomErrorPercent) {
            throw CommandFailure{kExitUsage,
                                 QStringLiteral("Bad --sim-vcom-error %1 (give a percentage from -50 to 50).")
                                     .arg(adapter::quotedArgument(text))};
        }
        sim.vcomErrorPercent = percent;
    }
    readShape(sim);
    if (parser_.isSet(options_.simFault)) {
        const QString text = parser_.value(options_.simFault);
        if (text == QStringLiteral("read-fails")) {
            sim.fault = adapter::SimFault::ReadFails;
        } else if (text == QStringLiteral("writes-lost")) {
            sim.fault = adapter::SimFault::WritesLost;
        } else if (text == QStringLiteral("eeprom-fails")) {
            sim.fault = adapter::SimFault::EepromFails;
        } else {
            throw CommandFailure{kExitUsage, QStringLiteral("Unknown --sim-fault %1 (use read-fails, "
                                                            "writes-lost or eeprom-fails).")
                                                 .arg(adapter::quotedArgument(text))};
        }
    }
    sim.powerCycle = parser_.isSet(options_.simPowerCycle);
    const bool simOptionGiven = parser_.isSet(options_.simState) || parser_.isSet(options_.simVcomError) ||
                                parser_.isSet(options_.simFault) || parser_.isSet(options_.simVcomOffset) ||
                                parser_.isSet(options_.simStep) || sim.powerCycle;
    if (simOptionGiven && invocation.adapter.adapter.choice != adapter::AdapterChoice::Simulated) {
        throw CommandFailure{
            kExitUsage,
            QStringLiteral("The --sim-... options apply to the simulated board (--adapter sim) only.")};
    }
}

}  // namespace vcm::cli
