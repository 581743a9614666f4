#pragma once

#include "adapter/core/AdapterLibrary.h"
#include "adapter/selection/AdapterOptions.h"
#include "adapter/sim/SimulatedChip.h"
#include "adapter/trace/TraceLog.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace vcm::adapter {

/// The adapter library the program uses and everything it rests on. Members are destroyed in reverse
/// order, so the tracing layer goes before the board it wraps and the board (whose chip writes notes into
/// the log) before the log.
struct AdapterSetup {
    std::unique_ptr<TraceLog> trace;          ///< null without --trace
    std::unique_ptr<AdapterLibrary> board;    ///< the simulated board, no adapter, a real bus or the bridge
    std::unique_ptr<AdapterLibrary> tracing;  ///< null without --trace

    /// The library to call: the tracing layer when there is one, otherwise the board. Whether it is the
    /// simulated board, and whether it could be had at all, the library says itself.
    AdapterLibrary& library() const { return tracing ? *tracing : *board; }
};

/// When the library says it is unavailable after its first call, the program ends with this code: the
/// window after a message box, the command-line tool after writing the reason to stderr.
inline constexpr int kAdapterUnavailableExitCode = 1;

/// Makes the simulated board from the EEPROM value the options give and the sink for the chip's notes
/// (empty without --trace). A program that keeps its board elsewhere (the command-line tool keeps it in a
/// file between runs) passes its own; the default is a SimulatedAdapter powered on with that EEPROM value.
using SimulatedBoardMaker =
    std::function<std::unique_ptr<AdapterLibrary>(std::uint8_t eeprom, SimulatedChip::NoteSink notes)>;

/// Builds the adapter the options ask for; with --trace, calls and the chip's, the bus's or the bridge's
/// notes go to `clock` and `sink` through one TraceLog. A real bus says why a connection failed on
/// `problems`, with or without --trace.
AdapterSetup createAdapter(const AdapterOptions& options, TraceLog::Clock clock, TraceLog::Sink sink,
                           TraceLog::Sink problems = TraceLog::stderrSink(),
                           const SimulatedBoardMaker& makeSimulatedBoard = {});

/// As above, tracing to stderr with the time since the program started.
AdapterSetup createAdapter(const AdapterOptions& options);

}  // namespace vcm::adapter
