#include "adapter/AdapterFactory.h"

#include "adapter/AbsentAdapter.h"
#include "adapter/BridgeAdapter.h"
#include "adapter/BridgeCommand.h"
#include "adapter/SimulatedAdapter.h"
#include "adapter/SimulatedChip.h"
#include "adapter/TracingAdapter.h"

#include <QCoreApplication>

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
    } else if (options.adapter.choice == AdapterChoice::MakerLibrary) {
        BridgeAdapter::NoteSink notes;
        if (setup.trace) {
            notes = [log = setup.trace.get()](const QString& text) { log->note(text); };
        }
        // The bridge is installed beside the program.
        auto bridge = std::make_unique<BridgeAdapter>(
            bridgeCommand(QCoreApplication::applicationDirPath(), options.adapter.target, {}),
            std::move(notes));
        setup.bridge = bridge.get();
        setup.board = std::move(bridge);
    } else {
        setup.board = std::make_unique<AbsentAdapter>();
    }
    if (setup.trace) {
        setup.tracing = std::make_unique<TracingAdapter>(*setup.board, *setup.trace);
    }
    return setup;
}

std::optional<QString> AdapterSetup::unavailable() const {
    return bridge ? bridge->unavailable() : std::nullopt;
}

AdapterSetup createAdapter(const AdapterOptions& options) {
    return createAdapter(options, TraceLog::elapsedClock(), TraceLog::stderrSink());
}

}  // namespace vcm
