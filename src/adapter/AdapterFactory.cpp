#include "adapter/AdapterFactory.h"

#include "adapter/AbsentAdapter.h"
#include "adapter/BridgeAdapter.h"
#include "adapter/BridgeCommand.h"
#include "adapter/SimulatedAdapter.h"
#include "adapter/SimulatedChip.h"
#include "adapter/TracingAdapter.h"
#ifdef VCM_HAVE_I2C_DEV
#include "adapter/linux/I2cDevAdapter.h"
#endif

#include <QCoreApplication>

#include <functional>
#include <utility>

namespace vcm {

AdapterSetup createAdapter(const AdapterOptions& options, TraceLog::Clock clock, TraceLog::Sink sink,
                           [[maybe_unused]] TraceLog::Sink problems,
                           const SimulatedBoardMaker& makeSimulatedBoard) {
    AdapterSetup setup;
    std::function<void(const QString&)> notes;
    if (options.trace) {
        setup.trace = std::make_unique<TraceLog>(std::move(clock), std::move(sink));
        notes = [log = setup.trace.get()](const QString& text) { log->note(text); };
    }
    if (options.adapter.choice == AdapterChoice::Simulated) {
        setup.board =
            makeSimulatedBoard
                ? makeSimulatedBoard(options.eeprom, std::move(notes))
                : std::make_unique<SimulatedAdapter>(SimulatedChip(options.eeprom, std::move(notes)));
        setup.simulated = true;
#ifdef VCM_HAVE_I2C_DEV
    } else if (options.adapter.choice == AdapterChoice::I2cBus) {
        setup.board = std::make_unique<I2cDevAdapter>(locateI2cBus(options.adapter.target),
                                                      std::move(problems), std::move(notes));
#endif
    } else if (options.adapter.choice == AdapterChoice::MakerLibrary) {
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
