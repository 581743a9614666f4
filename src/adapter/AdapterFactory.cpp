#include "adapter/AdapterFactory.h"

#include "adapter/AbsentAdapter.h"
#include "adapter/SimulatedAdapter.h"
#include "adapter/SimulatedChip.h"
#include "adapter/TracingAdapter.h"

#include <utility>

namespace vcm {

AdapterSetup createAdapter(const AdapterOptions& options, TraceLog::Clock clock, TraceLog::Sink sink,
                           const SimulatedBoardMaker& makeSimulatedBoard) {
    AdapterSetup setup;
    if (options.trace) {
        setup.trace = std::make_unique<TraceLog>(std::move(clock), std::move(sink));
    }
    if (options.adapter.choice == AdapterChoice::Simulated) {
        SimulatedChip::NoteSink notes;
        if (setup.trace) {
            notes = [log = setup.trace.get()](const QString& text) { log->note(text); };
        }
        setup.board =
            makeSimulatedBoard
                ? makeSimulatedBoard(options.eeprom, std::move(notes))
                : std::make_unique<SimulatedAdapter>(SimulatedChip(options.eeprom, std::move(notes)));
        setup.simulated = true;
    } else {
        setup.board = std::make_unique<AbsentAdapter>();
    }
    if (setup.trace) {
        setup.tracing = std::make_unique<TracingAdapter>(*setup.board, *setup.trace);
    }
    return setup;
}

AdapterSetup createAdapter(const AdapterOptions& options) {
    return createAdapter(options, TraceLog::elapsedClock(), TraceLog::stderrSink());
}

}  // namespace vcm
