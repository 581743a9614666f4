#include "station/BoardSession.h"

#include "adapter/core/ConnectionSequence.h"
#include "dcp/DcpText.h"
#include "dcp/DcpTransactions.h"
#include "station/BoardFailure.h"

#include <utility>

namespace vcm::station {

BoardSession::BoardSession(adapter::AdapterLibrary& library, Pause pause, AfterWrite afterWrite)
    : library_(library), pause_(std::move(pause)), afterWrite_(std::move(afterWrite)) {}

void BoardSession::connect() {
    const std::int16_t result = adapter::beginConnection(library_, selectedModule_);
    if (!adapter::finishConnection(library_, result, selectedModule_)) {
        throw BoardFailure{BoardFailure::Kind::NoAdapter, QStringLiteral("connect: no adapter found")};
    }
}

std::uint8_t BoardSession::read() {
    const std::optional<std::uint8_t> value = dcp::readDataRegister(library_, selectedModule_);
    if (!value) {
        throw BoardFailure{BoardFailure::Kind::Bus, QStringLiteral("read: reading the data register failed")};
    }
    return *value;
}

void BoardSession::sendVerified(std::uint8_t value) {
    const std::int16_t answer = dcp::writeDcp(library_, dcp::dataRegisterWrite(value), selectedModule_);
    wrote();
    if (answer == adapter::adapterResult::kCallFailed) {
        throw BoardFailure{
            BoardFailure::Kind::Bus,
            QStringLiteral("send: writing %1 to the data register failed").arg(dcp::byteToHex(value))};
    }
    const std::optional<std::uint8_t> held = dcp::readDataRegister(library_, selectedModule_);
    if (!held) {
        throw BoardFailure{BoardFailure::Kind::Bus,
                           QStringLiteral("read-back: reading the data register after sending %1 failed")
                               .arg(dcp::byteToHex(value))};
    }
    if (*held != value) {
        throw BoardFailure{BoardFailure::Kind::Readback,
                           QStringLiteral("read-back: the data register holds %1, not %2")
                               .arg(dcp::byteToHex(*held), dcp::byteToHex(value))};
    }
}

void BoardSession::program(std::uint8_t value) {
    const std::int16_t answer = dcp::writeDcp(library_, dcp::eepromWrite(value), selectedModule_);
    // The write time is waited whatever the adapter answered: the chip may be writing all the same.
    pause_(dcp::kEepromWritePauseMs);
    wrote();
    const QString unsure = QStringLiteral("; the board may be half-programmed");
    if (answer == adapter::adapterResult::kCallFailed) {
        throw BoardFailure{
            BoardFailure::Kind::Eeprom,
            QStringLiteral("program: the EEPROM write of %1 failed").arg(dcp::byteToHex(value)) + unsure};
    }
    // The EEPROM itself shows only after a power cycle; the data register shows that the board is still
    // there and still holds the value.
    const std::optional<std::uint8_t> held = dcp::readDataRegister(library_, selectedModule_);
    if (!held) {
        throw BoardFailure{
            BoardFailure::Kind::Bus,
            QStringLiteral("program: reading the data register after the EEPROM write failed") + unsure};
    }
    if (*held != value) {
        throw BoardFailure{
            BoardFailure::Kind::Readback,
            QStringLiteral("program: after the EEPROM write the data register holds %1, not %2")
                    .arg(dcp::byteToHex(*held), dcp::byteToHex(value)) +
                unsure};
    }
}

void BoardSession::wrote() {
    if (afterWrite_) {
        afterWrite_();
    }
}

}  // namespace vcm::station
