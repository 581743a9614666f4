#include "adapter/selection/AdapterFactory.h"

#include "adapter/bridge/BridgeAdapter.h"
#include "adapter/bridge/BridgeCommand.h"
#include "adapter/core/AbsentAdapter.h"
#include "adapter/sim/SimulatedAdapter.h"
#include "adapter/sim/SimulatedChip.h"
#include "adapter/trace/TracingAdapter.h"
#ifdef VCM_HAVE_I2C_DEV
#include "adapter/linux/I2cDevAdapter.h"
#endif

#include <QCoreApplication>
#include <QDir>

#include <functional>
#include <utility>

namespace vcm::adapter {

namespace {

/// Where the bridge is: beside the program (the build folder, a Windows install), else in the package's
/// private folder next to the program's (a Linux install puts it in /usr/lib/vcm7310-bench).
QString bridgeFolder() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    if (programFolder.exists(QString::fromLatin1(bridgeFileName))) {
        return programFolder.path();
    }
    const QString installed = programFolder.filePath(QStringLiteral("../lib/vcm7310-bench"));
    if (QDir(installed).exists(QString::fromLatin1(bridgeFileName))) {
        return QDir::cleanPath(installed);
    }
    return programFolder.path();
}

}  // namespace

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
#ifdef VCM_HAVE_I2C_DEV
    } else if (options.adapter.choice == AdapterChoice::I2cBus) {
        setup.board = std::make_unique<I2cDevAdapter>(locateI2cBus(options.adapter.target),
                                                      std::move(problems), std::move(notes));
#endif
    } else if (options.adapter.choice == AdapterChoice::MakerLibrary) {
        setup.board = std::make_unique<BridgeAdapter>(
            bridgeCommand(bridgeFolder(), options.adapter.target, {}), std::move(notes));
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

}  // namespace vcm::adapter
