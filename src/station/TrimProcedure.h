#pragma once

#include "meter/core/MeterFailure.h"
#include "meter/core/MeterSession.h"
#include "station/BoardFailure.h"
#include "station/BoardSession.h"
#include "station/TrimResult.h"
#include "station/TrimSearch.h"

#include <functional>

namespace vcm::station {

/// What a trim is to do, worked out and checked before anything touches the board.
struct TrimPlan {
    double target = 0.0;   ///< the wanted VCOM in volts
    bool program = false;  ///< program the chosen value into the EEPROM when every check passed
    /// Without a meter: the value the divider model puts nearest the target, and its predicted VCOM.
    DcpPoint predicted;
    /// With a meter: the model the closed loop starts from, and how near the target the chosen value's
    /// readings must be.
    ModelLine model;
    double tolerance = 0.0;
};

/// One board's trim: by the model alone (no meter), or closed loop on what the meter measures. Every
/// value is sent and verified before it is measured. The EEPROM is written only when every check passed
/// and no stop is pending; then the adapter's answer and the data register are checked, and closed loop
/// the VCOM is measured once more and must still lie within the tolerance. run() never throws for what
/// the board, the bus or the meter do: the result says it.
class TrimProcedure {
  public:
    /// The signal that asked the tool to stop, or 0.
    using StopPending = std::function<int()>;
    /// Seconds since the trim began.
    using Clock = std::function<double()>;
    /// Told of each reading as it is taken.
    using Measured = std::function<void(const Measurement& reading)>;

    /// `meter` null trims by the model alone.
    TrimProcedure(BoardSession& board, meter::MeterSession* meter, StopPending stopPending, Clock clock,
                  Measured measured = {});

    TrimResult run(const TrimPlan& plan);

  private:
    void byModel(const TrimPlan& plan, TrimResult& result);
    void byMeasurement(const TrimPlan& plan, TrimResult& result);
    void program(const TrimPlan& plan, TrimResult& result);
    double measure(std::uint8_t value, TrimResult& result);
    /// Throws StopRequested when a stop is pending.
    void checkStop() const;

    BoardSession& board_;
    meter::MeterSession* meter_;
    StopPending stopPending_;
    Clock clock_;
    Measured measured_;
};

/// The result of a trim that could not start: the board or the meter could not be had.
TrimResult unstartedTrim(const BoardFailure& failure);
TrimResult unstartedTrim(const meter::MeterFailure& failure);

}  // namespace vcm::station
