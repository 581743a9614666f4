#pragma once

#include "station/TrimSearch.h"

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

/// Everything a trim did and found, whether it passed or not: what the command prints, the station log
/// keeps and a window could show.
struct TrimResult {
    Verdict verdict = Verdict::Pass;
    /// A stable name of why it did not pass ("out-of-tolerance", "meter"); empty when it passed.
    QString failure;
    /// Why it did not pass, one line beginning with the step ("trim: ...", "measure: ..."); empty when it
    /// passed.
    QString message;

    std::vector<DcpPoint> measurements;     ///< every measurement, in the order taken
    std::optional<std::uint8_t> chosen;     ///< the value the trim chose
    bool sent = false;                      ///< the chosen value was sent and verified, and stays there
    std::optional<double> finalVcom;        ///< closed loop: the chosen value measured again, last
    std::optional<std::uint8_t> movedFrom;  ///< where the search ended when a neighbour was nearer
    bool programmed = false;                ///< the EEPROM was written with the chosen value

    bool passed() const { return verdict == Verdict::Pass; }
};

}  // namespace vcm::station
