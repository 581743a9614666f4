#pragma once

#include "cli/options/Invocation.h"
#include "meter/core/MeterSession.h"
#include "station/BoardConnection.h"
#include "station/StationLog.h"
#include "station/StationRecord.h"
#include "station/TrimProcedure.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>
#include <optional>

namespace vcm::cli {

/// What a trim, or each board of a station session, is trimmed to: the plan worked out from the options,
/// and the parts of the record that hold for every board. Throws a usage failure (or, for a divider the
/// model cannot work out, a failure with no result) before anything touches the bus.
struct TrimSetup {
    station::TrimPlan plan;
    station::TrimContext context;  ///< station, operator, tool, adapter, basis, target, tolerance, recipe
    bool closedLoop = false;
    bool toleranceGiven = false;
};

TrimSetup trimSetup(const Invocation& invocation);

/// One board's attempt: what the log keeps of it and what it found.
struct Attempt {
    station::TrimContext context;
    station::TrimResult result;
};

/// An attempt begun now: its start stamped, its number taken from the log's history of the board.
class AttemptClock {
  public:
    AttemptClock(const TrimSetup& setup, const QString& boardId, station::StationLog* log);

    /// Seconds since the attempt began.
    double seconds() const { return static_cast<double>(timer_.nsecsElapsed()) / 1e9; }
    /// The attempt, its end stamped now; the meter's name and identity from `bench` when there is one.
    Attempt finish(station::TrimResult result, const class TrimBench* bench) const;

  private:
    station::TrimContext context_;
    QElapsedTimer timer_;
};

/// The board and the meter a trim works with, connected once for a whole station session.
class TrimBench {
  public:
    /// Connects the board and, for a closed loop, the meter; throws a station::BoardFailure or a
    /// meter::MeterFailure when either cannot be had.
    TrimBench(const Invocation& invocation, const MeterMaker& builtInMeter, bool closedLoop);

    /// Trims the board in place now; `measured` is told of each reading as it is taken. A measure command
    /// finds the board's id in VCM7310_BOARD.
    station::TrimResult trim(const TrimSetup& setup, const AttemptClock& clock, const QString& boardId,
                             const station::TrimProcedure::Measured& measured);

    /// The meter's name and identity for the record; empty without a meter.
    QString meterName() const;
    QString meterIdentity() const;

  private:
    station::BoardConnection board_;
    std::unique_ptr<meter::MeterSession> meter_;
};

/// Opens the station log first, before anything touches the bus: a station that cannot log its boards
/// must not trim them. Nothing without a path; a log that cannot be opened is a station error.
std::unique_ptr<station::StationLog> openStationLog(const QString& path);

/// Appends the attempt's line to the log, if there is one: the log's failure, or nothing.
std::optional<QString> logAttempt(station::StationLog* log, const Attempt& attempt);

/// The exit code of a verdict: 0 pass, 1 fail, 3 error, 128 + the signal when stopped.
int exitCodeOf(station::Verdict verdict);

}  // namespace vcm::cli
