#include "cli/BoardConnection.h"

#include "cli/CommandFailure.h"
#include "cli/SimulatedBoard.h"
#include "cli/SimulatedBoardFile.h"

#include <QThread>

namespace vcm {

BoardConnection::BoardConnection(const Invocation& invocation) : stateFile_(invocation.sim.stateFile) {
    const std::optional<SimulatedBoardState> kept =
        stateFile_.isEmpty() ? std::nullopt : loadSimulatedBoard(stateFile_);
    const SimOptions& sim = invocation.sim;
    // What was given now holds from now on; what was not stays as the file has it.
    shape_ = kept ? kept->shape() : SimulatedVcomShape{};
    shape_.errorPercent = sim.vcomErrorPercent.value_or(shape_.errorPercent);
    shape_.offsetMv = sim.vcomOffsetMv.value_or(shape_.offsetMv);
    if (sim.step) {
        shape_.stepFrom = sim.step->first;
        shape_.stepMv = sim.step->second;
    }
    const SimFault fault = invocation.sim.fault;

    const SimulatedBoardMaker makeBoard = [&](std::uint8_t eeprom, SimulatedChip::NoteSink notes) {
        // A board kept in a file has stayed powered; otherwise it powers on with the EEPROM value.
        auto board = std::make_unique<SimulatedBoard>(
            kept ? SimulatedChip(kept->chip, std::move(notes)) : SimulatedChip(eeprom, std::move(notes)),
            fault, [this] { save(); });
        simulated_ = board.get();
        return board;
    };
    setup_ = createAdapter(invocation.adapter, TraceLog::elapsedClock(), TraceLog::stderrSink(),
                           TraceLog::stderrSink(), makeBoard);
    // The file exists (and holds the VCOM error given now) from the first run on.
    save();
    session_ = std::make_unique<BoardSession>(setup_.library(), [](int milliseconds) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    });
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
        SimulatedBoardState state{simulated_->state()};
        state.setShape(shape_);
        saveSimulatedBoard(stateFile_, state);
    }
}

}  // namespace vcm
