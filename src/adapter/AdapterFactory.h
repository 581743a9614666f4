#pragma once

#include "adapter/AdapterLibrary.h"
#include "adapter/AdapterOptions.h"
#include "adapter/TraceLog.h"

#include <memory>

namespace vcm {

/// The adapter library the program uses and everything it rests on. Members are destroyed in reverse
/// order, so the tracing layer goes before the board it wraps and the board (whose chip writes notes into
/// the log) before the log.
struct AdapterSetup {
    std::unique_ptr<TraceLog> trace;          ///< null without --trace
    std::unique_ptr<AdapterLibrary> board;    ///< the simulated board, the absent adapter or a real bus
    std::unique_ptr<AdapterLibrary> tracing;  ///< null without --trace
    bool simulated = false;                   ///< true for the simulated board (marked in the title)

    /// The library to call: the tracing layer when there is one, otherwise the board.
    AdapterLibrary& library() const { return tracing ? *tracing : *board; }
};

/// Builds the adapter the options ask for; with --trace, calls and the chip's or the bus's notes go to
/// `clock` and `sink` through one TraceLog. A real bus says why a connection failed on `problems`, with
/// or without --trace.
AdapterSetup createAdapter(const AdapterOptions& options, TraceLog::Clock clock, TraceLog::Sink sink,
                           TraceLog::Sink problems = TraceLog::stderrSink());

/// As above, tracing to stderr with the time since the program started.
AdapterSetup createAdapter(const AdapterOptions& options);

}  // namespace vcm
