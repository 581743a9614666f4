#pragma once

#include "adapter/selection/AdapterOptions.h"
#include "adapter/sim/SimOptions.h"
#include "calculator/ForwardCalculation.h"
#include "calculator/ReverseCalculation.h"
#include "meter/core/Meter.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace vcm::cli {

using meter::MeterMaker;

enum class Command { Read, Send, Program, CalcForward, CalcReverse, Trim, Station, Sweep, Report, SimMeasure };

/// One run of the tool, as its command line asks for it. Values left out hold what the window shows
/// once it has started.
struct Invocation {
    Command command = Command::Read;
    bool json = false;
    adapter::AdapterOptions adapter;
    adapter::SimOptions sim;

    std::uint8_t value = 0;  ///< send, program: the VALUE
    bool decimal = false;    ///< --dec: DCP values are read and written in decimal

    calc::ForwardInputs forward;  ///< calc forward and trim (its d is --dcp)
    calc::ReverseInputs reverse;  ///< calc reverse (its d is --dcp)

    double targetVcom = 0.0;          ///< trim --vcom
    bool program = false;             ///< trim --program
    std::optional<double> tolerance;  ///< trim --tolerance in volts; unset for one model step
    meter::MeterOptions meter;        ///< trim, sweep: --measure or --meter; none for the model alone
    int settleMs = 0;                 ///< trim, sweep --settle: wait after each send before measuring
    int average = 1;                  ///< trim, sweep --average: measurements per value, their mean
    QString logFile;                  ///< trim --log: the station log, one JSON line per trim
    QString boardId;                  ///< trim --board-id
    QString stationId;                ///< trim, station --station-id; the host's name when not given
    QString operatorName;             ///< trim, station --operator
    QString idPattern;                ///< station --id-pattern: a board id must match it whole
    bool retest = false;              ///< station --retest
    std::optional<double> sweepVcom;  ///< sweep --vcom: the value nearest it is marked
    std::uint8_t from = 0x00;         ///< sweep --from
    std::uint8_t to = 0xFF;           ///< sweep --to
    QString csvFile;                  ///< sweep, report --csv
    QString svgFile;                  ///< sweep, report --svg
    QStringList logFiles;             ///< report: the LOGs, in the order given
    QString toolVersion;              ///< for the station log
};

}  // namespace vcm::cli
