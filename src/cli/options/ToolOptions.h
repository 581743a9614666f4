#pragma once

// Every option the tool has, and which of them each group of options (OptionGroup) adds.

#include "adapter/selection/AdapterOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <vector>

namespace vcm::cli {

/// Every option the tool has; each command adds the groups it takes.
struct ToolOptions {
    ToolOptions();

    /// The options that may also stand before the command.
    std::vector<const QCommandLineOption*> shared() const;
    void addShared(QCommandLineParser& parser) const;

    /// The options of the OptionGroup bits `groups`, --help and --json first.
    std::vector<const QCommandLineOption*> optionsFor(unsigned groups) const;
    void addFor(unsigned groups, QCommandLineParser& parser) const;

    // An `i2c:auto` with no bridge or several is a failed connection like any other bus that is not
    // there (exit 1), not a bad option.
    adapter::AdapterOptionSet adapterSet{adapter::kSysfsRoot,
                                         adapter::AdapterOptionSet::BridgeLookup::WhenConnect};
    QCommandLineOption help, version, oldVersion, json, simState, simVcomError, simFault, simPowerCycle, dec,
        avdd, rset, r1, r2, vmax, vmin, dcp, vcom, program, measure, meter, meterQuery, meterTimeout, settle,
        average, tolerance, log, boardId, stationId, operatorName, idPattern, retest, from, to, csv, svg,
        sweepVcom, simVcomOffset, simStep;
    QCommandLineOption reportCsv, reportSvg;
};

}  // namespace vcm::cli
