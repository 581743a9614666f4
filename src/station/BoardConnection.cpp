#include "station/BoardConnection.h"

#include "adapter/sim/SimulatedBoard.h"
#include "adapter/sim/SimulatedBoardFile.h"
#include "adapter/trace/TraceFormat.h"
#include "dcp/DcpText.h"
#include "station/BoardFailure.h"

#include <QThread>

namespace vcm::station {

namespace {

std::optional<adapter::SimulatedBoardState> loadBoard(const QString& path) {
    try {
        return path.isEmpty() ? std::nullopt : adapter::loadSimulatedBoard(path);
    } catch (const adapter::BoardFileError& error) {
        throw BoardFailure{BoardFailure::Kind::BoardFile, error.message};
    }
}

}  // namespace

BoardConnection::BoardConnection(const adapter::AdapterOptions& options, const adapter::SimOptions& sim)
    : stateFile_(sim.stateFile) {
    const std::optional<adapter::SimulatedBoardState> kept = loadBoard(stateFile_);
    if (kept && sim.eepromGiven) {
        // A power-on value for a board that exists already would be dropped without a word.
        throw BoardFailure{
            BoardFailure::Kind::KeptBoard,
            QStringLiteral("--eeprom: the board file '%1' already holds the board (EEPROM %2); leave "
                           "out --eeprom (and add --sim-power-cycle to reload the data register from "
                           "that EEPROM), or remove the file for a new board")
                .arg(stateFile_, dcp::byteToHex(kept->chip.eeprom))};
    }
    // What was given now holds from now on; what was not stays as the file has it.
    shape_ = kept ? kept->shape() : adapter::SimulatedVcomShape{};
    shape_.errorPercent = sim.vcomErrorPercent.value_or(shape_.errorPercent);
    shape_.offsetMv = sim.vcomOffsetMv.value_or(shape_.offsetMv);
    if (sim.step) {
        shape_.stepFrom = sim.step->first;
        shape_.stepMv = sim.step->second;
    }
    const adapter::SimFault fault = sim.fault;
    const bool powerCycle = sim.powerCycle;

    const adapter::SimulatedBoardMaker makeBoard = [&](std::uint8_t eeprom,
                                                       adapter::SimulatedChip::NoteSink notes) {
        // A board kept in a file has stayed powered, unless it is powered off and on again now, which
        // loads its data register from its EEPROM as a real chip's power-on does; a new board powers on
        // with the EEPROM value of the options.
        std::optional<adapter::SimulatedChip> chip;
        if (kept && !powerCycle) {
            chip.emplace(kept->chip, std::move(notes));
        } else {
            const std::uint8_t atPowerOn = kept ? kept->chip.eeprom : eeprom;
            if (kept && notes) {
                notes(QStringLiteral("sim: power cycle, data register %1 from the EEPROM")
                          .arg(adapter::traceByte(atPowerOn)));
            }
            chip.emplace(atPowerOn, std::move(notes));
        }
        auto board = std::make_unique<adapter::SimulatedBoard>(std::move(*chip), fault, [this] { save(); });
        simulated_ = board.get();
        return board;
    };
    // A bus that cannot be opened says why; that reason is the connection's failure, on one line.
    const adapter::TraceLog::Sink problems = [this](const QString& problem) { connectProblem_ = problem; };
    setup_ = adapter::createAdapter(options, adapter::TraceLog::elapsedClock(),
                                    adapter::TraceLog::stderrSink(), problems, makeBoard);
    // The file exists (and holds the VCOM error given now) from the first run on.
    save();
    session_ = std::make_unique<BoardSession>(setup_.library(), [](int milliseconds) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    });
    try {
        session_->connect();
    } catch (BoardFailure& failure) {
        throwIfUnavailable();
        if (!connectProblem_.isEmpty()) {
            failure.message = QStringLiteral("connect: ") + connectProblem_;
        }
        throw;
    }
    // The library may have been had only in part (a function missing); that too ends the run here.
    throwIfUnavailable();
}

void BoardConnection::throwIfUnavailable() const {
    if (const std::optional<QString> problem = setup_.library().unavailable()) {
        throw BoardFailure{BoardFailure::Kind::NoAdapter, QStringLiteral("connect: ") + *problem};
    }
}

BoardConnection::~BoardConnection() = default;

void BoardConnection::save() const {
    if (simulated_ && !stateFile_.isEmpty()) {
        adapter::SimulatedBoardState state{simulated_->state()};
        state.setShape(shape_);
        try {
            adapter::saveSimulatedBoard(stateFile_, state);
        } catch (const adapter::BoardFileError& error) {
            throw BoardFailure{BoardFailure::Kind::BoardFile, error.message};
        }
    }
}

}  // namespace vcm::station
