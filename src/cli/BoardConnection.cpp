#include "cli/BoardConnection.h"

#include "cli/CommandFailure.h"
#include "cli/SimulatedBoard.h"
#include "cli/SimulatedBoardFile.h"

#include <QThread>

namespace vcm {

BoardConnection::BoardConnection(const Invocation& invocation) : stateFile_(invocation.sim.stateFile) {
    const std::optional<SimulatedBoardState> kept =
        stateFile_.isEmpty() ? std::nullopt : loadSimulatedBoard(stateFile_);
    vcomErrorPercent_ = invocation.sim.vcomErrorPercent.value_or(kept ? kept->vcomErrorPercent : 0.0);
    const SimFault fault = invocation.sim.fault;

    const SimulatedBoardMaker makeBoard = [&](std::uint8_t eeprom, SimulatedChip::NoteSink notes) {
        // A board kept in a file has stayed powered; otherwise it powers on with the EEPROM value.
        auto board = std::make_unique<SimulatedBoard>(
            kept ? SimulatedChip(kept->chip, std::move(notes)) : SimulatedChip(eeprom, std::move(notes)),
            fault);
        simulated_ = board.get();
        return board;
    };
    setup_ = createAdapter(invocation.adapter, TraceLog::elapsedClock(), TraceLog::stderrSink(),
                           TraceLog::stderrSink(), makeBoard);
    // The file exists (and holds the VCOM error given now) from the first run on.
    save();
    session_ = std::make_unique<BoardSession>(
        setup_.library(), [](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); },
        [this] { save(); });
    try {
        session_->connect();
    } catch (const CommandFailure&) {
        throwIfUnavailable();
        throw;
    }
    // The library may have been had only in part (a function missing); that too ends the run here.
    throwIfUnavailable();
}

void BoardConnection::throwIfUnavailable() const {
    if (const std::optional<QString> problem = setup_.unavailable()) {
        throw CommandFailure{adapterUnavailableExitCode, QStringLiteral("connect: ") + *problem};
    }
}

BoardConnection::~BoardConnection() = default;

void BoardConnection::save() const {
    if (simulated_ && !stateFile_.isEmpty()) {
        saveSimulatedBoard(stateFile_, {simulated_->state(), vcomErrorPercent_});
    }
}

}  // namespace vcm
