#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace vcm::station {

/// How a board's trim ended, as a production line acts on it.
enum class Verdict {
    Pass,     ///< every check passed (and the value was programmed when that was asked)
    Fail,     ///< the board failed a check: the answer is no
    Error,    ///< the station could not do its job (adapter, bus, meter, log)
    Aborted,  ///< stopped by a signal before it was done
};

/// "pass", "fail", "error" or "aborted": the verdict as records and JSON name it.
QString verdictName(Verdict verdict);

/// One reading of the meter: the value in the data register, the VCOM, and when it was taken, in
/// seconds from the start of the trim.
struct Measurement {
    std::uint8_t value = 0;
    double vcom = 0.0;
    double seconds = 0.0;
};

/// Everything a trim did and found, whether it passed or not: what the command prints, the station log
/// keeps and a window could show.
struct TrimResult {
    Verdict verdict = Verdict::Pass;
    /// A stable name of why it did not pass ("out-of-tolerance", "meter"); empty when it passed.
    QString failure;
    /// Why it did not pass, one line beginning with the step ("trim: ...", "measure: ..."); empty when it
    /// passed.
    QString message;

    std::vector<Measurement> measurements;  ///< every reading, in the order taken, the last checks too
    std::optional<std::uint8_t> chosen;     ///< the value the trim chose
    std::optional<double> predictedVcom;    ///< by the model alone: the chosen value's VCOM by the model
    std::optional<double> finalVcom;     ///< closed loop: the chosen value measured again before programming
    std::optional<double> afterProgram;  ///< closed loop: the chosen value measured after programming
    std::optional<std::uint8_t> movedFrom;  ///< where the search ended when a neighbour was nearer
    bool programmed = false;                ///< the EEPROM write of the chosen value was done and checked

    bool passed() const { return verdict == Verdict::Pass; }
    /// The chosen value's VCOM less the target: measured (the last reading) or predicted.
    std::optional<double> error(double target) const;
};

}  // namespace vcm::station
