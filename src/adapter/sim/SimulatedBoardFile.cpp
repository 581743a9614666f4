#include "adapter/sim/SimulatedBoardFile.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>

namespace vcm::adapter {

namespace {

const QString kDataRegister = QStringLiteral("dataRegister");
const QString kEeprom = QStringLiteral("eeprom");
const QString kVcomError = QStringLiteral("vcomErrorPercent");
// Written only when set, so that a board file from before they existed still reads.
const QString kVcomOffset = QStringLiteral("vcomOffsetMv");
const QString kStepFrom = QStringLiteral("stepFrom");
const QString kStepMv = QStringLiteral("stepMv");

BoardFileError fileFailure(const QString& path, const QString& reason) {
    return BoardFileError{QStringLiteral("simulated board state '%1': %2").arg(path, reason)};
}

/// A byte stored as a JSON number 0..255.
std::optional<std::uint8_t> byteOf(const QJsonValue& value) {
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const double number = value.toDouble();
    if (number < 0 || number > 255 || number != std::floor(number)) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(number);
}

}  // namespace

std::optional<SimulatedBoardState> loadSimulatedBoard(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw fileFailure(path, QStringLiteral("cannot read it (%1)").arg(file.errorString()));
    }
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    const std::optional<std::uint8_t> dataRegister = byteOf(object.value(kDataRegister));
    const std::optional<std::uint8_t> eeprom = byteOf(object.value(kEeprom));
    const QJsonValue error = object.value(kVcomError);
    if (!dataRegister || !eeprom || !error.isDouble()) {
        throw fileFailure(path, QStringLiteral("not a board state file"));
    }
    SimulatedBoardState state{{*dataRegister, *eeprom}, error.toDouble()};
    const QJsonValue offset = object.value(kVcomOffset);
    const QJsonValue stepMv = object.value(kStepMv);
    const std::optional<std::uint8_t> stepFrom = byteOf(object.value(kStepFrom));
    const bool hasStep = object.contains(kStepFrom) || object.contains(kStepMv);
    if ((!offset.isUndefined() && !offset.isDouble()) || (hasStep && (!stepFrom || !stepMv.isDouble()))) {
        throw fileFailure(path, QStringLiteral("not a board state file"));
    }
    state.vcomOffsetMv = offset.toDouble(0.0);
    if (hasStep) {
        state.stepFrom = *stepFrom;
        state.stepMv = stepMv.toDouble();
    }
    return state;
}

void saveSimulatedBoard(const QString& path, const SimulatedBoardState& state) {
    QJsonObject object;
    object.insert(kDataRegister, state.chip.dataRegister);
    object.insert(kEeprom, state.chip.eeprom);
    object.insert(kVcomError, state.vcomErrorPercent);
    if (state.vcomOffsetMv != 0.0) {
        object.insert(kVcomOffset, state.vcomOffsetMv);
    }
    if (state.stepFrom >= 0) {
        object.insert(kStepFrom, state.stepFrom);
        object.insert(kStepMv, state.stepMv);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(object).toJson()) < 0 ||
        !file.commit()) {
        throw fileFailure(path, QStringLiteral("cannot write it (%1)").arg(file.errorString()));
    }
}

}  // namespace vcm::adapter
