#pragma once

// Turning a parsed command line into an Invocation; a bad value throws a usage failure.

#include "cli/options/CommandTable.h"
#include "cli/options/Invocation.h"
#include "cli/options/ToolOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

namespace vcm::cli {

/// The simulated board's options are read in ValueReaderSim.cpp, the meter's in ValueReaderMeter.cpp.
class ValueReader {
  public:
    ValueReader(const QCommandLineParser& parser, const ToolOptions& options,
                const CommandDefinition& definition);

    Invocation read() const;

  private:
    /// trim: --vcom, --program, --tolerance, --log, --board-id.
    void readTrim(Invocation& invocation) const;
    /// sweep: --from, --to, --csv, --svg, --vcom.
    void readSweep(Invocation& invocation) const;
    /// report: the LOGs, --csv, --svg.
    void readReport(Invocation& invocation) const;
    void readMeter(Invocation& invocation) const;
    /// --sim-vcom-offset and --sim-step, where given.
    void readShape(adapter::SimOptions& sim) const;
    void readSim(Invocation& invocation) const;

    double number(const QCommandLineOption& option) const;
    int wholeNumber(const QCommandLineOption& option, int low, int high, const QString& what) const;

    const QCommandLineParser& parser_;
    const ToolOptions& options_;
    const CommandDefinition& definition_;
};

}  // namespace vcm::cli
