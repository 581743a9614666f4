#pragma once

#include "adapter/sim/SimulatedChip.h"
#include "adapter/sim/SimulatedVcom.h"

#include <QString>

#include <optional>
#include <utility>

namespace vcm::adapter {

/// A board file that cannot be read or written; `message` names the file and says why.
struct BoardFileError {
    explicit BoardFileError(QString text) : message(std::move(text)) {}

    QString message;
};

/// What the simulated board remembers between two runs of the tool: the chip, and how far the board's
/// VCOM is off the divider model (a gain error in percent, an offset, a step).
struct SimulatedBoardState {
    SimulatedChip::State chip;
    double vcomErrorPercent = 0.0;
    double vcomOffsetMv = 0.0;
    int stepFrom = -1;
    double stepMv = 0.0;

    SimulatedVcomShape shape() const { return {vcomErrorPercent, vcomOffsetMv, stepFrom, stepMv}; }
    void setShape(const SimulatedVcomShape& shape) {
        vcomErrorPercent = shape.errorPercent;
        vcomOffsetMv = shape.offsetMv;
        stepFrom = shape.stepFrom;
        stepMv = shape.stepMv;
    }

    friend bool operator==(const SimulatedBoardState&, const SimulatedBoardState&) = default;
};

/// Reads the board from its file: nullopt when the file does not exist (a board just powered on).
/// Throws a BoardFileError when it cannot be read or is not a board file.
std::optional<SimulatedBoardState> loadSimulatedBoard(const QString& path);

/// Writes the board to its file atomically: a reader sees the old file or the new one, never half of one.
/// Throws a BoardFileError when it cannot be written.
void saveSimulatedBoard(const QString& path, const SimulatedBoardState& state);

}  // namespace vcm::adapter
