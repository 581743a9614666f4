#include "cli/commands/Commands.h"
#include "dcp/DcpText.h"
#include "station/BoardConnection.h"

namespace vcm::cli {

namespace {

JsonObject valueObject(Command command, std::uint8_t value) {
    return JsonObject()
        .text(QStringLiteral("command"), commandName(command))
        .text(QStringLiteral("hex"), dcp::byteToHex(value))
        .integer(QStringLiteral("value"), value);
}

}  // namespace

JsonObject runRead(const Invocation& invocation, const CommandOutput& out) {
    station::BoardConnection board(invocation.adapter, invocation.sim);
    const std::uint8_t value = board.session().read();
    out.text(dcpValueText(value));
    return valueObject(invocation.command, value);
}

JsonObject runSend(const Invocation& invocation, const CommandOutput& out) {
    station::BoardConnection board(invocation.adapter, invocation.sim);
    board.session().sendVerified(invocation.value);
    out.text(dcpValueText(invocation.value) + QStringLiteral(" sent and verified"));
    return valueObject(invocation.command, invocation.value).boolean(QStringLiteral("verified"), true);
}

JsonObject runProgram(const Invocation& invocation, const CommandOutput& out) {
    station::BoardConnection board(invocation.adapter, invocation.sim);
    board.session().sendVerified(invocation.value);
    board.session().program(invocation.value);
    out.text(dcpValueText(invocation.value) +
             QStringLiteral(" sent, verified and programmed into the EEPROM"));
    return valueObject(invocation.command, invocation.value)
        .boolean(QStringLiteral("verified"), true)
        .boolean(QStringLiteral("programmed"), true);
}

}  // namespace vcm::cli
