#include "adapter/sim/SimulatedBoardFile.h"
#include "adapter/sim/SimulatedVcom.h"
#include "cli/commands/CommandFailure.h"
#include "cli/commands/Commands.h"
#include "dcp/DcpText.h"

namespace vcm::cli {

JsonObject runSimMeasure(const Invocation& invocation, const CommandOutput& out) {
    const std::optional<adapter::SimulatedBoardState> board =
        adapter::loadSimulatedBoard(invocation.sim.stateFile);
    if (!board) {
        // A meter on a board that was never set up is more likely a wrong path than a fresh board.
        throw CommandFailure{kExitError, QStringLiteral("board-file"),
                             QStringLiteral("sim-measure: no simulated board in '%1' (run a "
                                            "command with --sim-state %1 first)")
                                 .arg(invocation.sim.stateFile)};
    }
    const std::uint8_t value = board->chip.dataRegister;
    adapter::SimulatedVcomShape shape = board->shape();
    shape.offsetMv = invocation.sim.vcomOffsetMv.value_or(shape.offsetMv);
    if (invocation.sim.step) {
        shape.stepFrom = invocation.sim.step->first;
        shape.stepMv = invocation.sim.step->second;
    }
    const QString volts = adapter::simulatedMeasurementText(adapter::simulatedVcom(value, shape));
    out.text(volts);
    return JsonObject()
        .text(QStringLiteral("command"), commandName(invocation.command))
        .text(QStringLiteral("hex"), dcp::byteToHex(value))
        .integer(QStringLiteral("value"), value)
        .number(QStringLiteral("vcom"), volts);
}

}  // namespace vcm::cli
