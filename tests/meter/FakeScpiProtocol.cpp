#include "FakeScpiProtocol.h"

#include <QMutexLocker>
#include <QString>

namespace vcm::test {

FakeScpiProtocol::FakeScpiProtocol(FakeScpiMode mode, Reading reading)
    : mode_(mode), reading_(std::move(reading)) {}

FakeScpiProtocol::Answer FakeScpiProtocol::answer(const QByteArray& line) {
    const QByteArray command = line.trimmed().toUpper();
    {
        const QMutexLocker lock(&mutex_);
        received_ << QString::fromLatin1(line);
    }
    const bool measurement = command == "READ?" || command == "MEAS:VOLT:DC?";
    if (measurement && mode_ == FakeScpiMode::StopsAnswering) {
        silent_ = true;
    }
    if (silent_) {
        return {};
    }
    if (command == "*IDN?") {
        return {identification()};
    }
    if (command == "*CLS") {
        errors_.clear();
        return {};
    }
    if (command == "CONF:VOLT:DC") {
        if (mode_ == FakeScpiMode::RefusesConfig) {
            errors_.push_back("-221,\"Settings conflict\"");
        }
        return {};
    }
    if (command == "SYST:ERR?") {
        if (errors_.empty()) {
            return {"+0,\"No error\""};
        }
        QByteArray first = errors_.front();
        errors_.erase(errors_.begin());
        return {first};
    }
    if (measurement) {
        switch (mode_) {
            case FakeScpiMode::AnswersJunk:
                return {"+4.0 VDC\a"};
            case FakeScpiMode::ReadingError:
                errors_.push_back("-222,\"Data out of range\"");
                return {"+9.90000000E+37"};
            case FakeScpiMode::Closes:
                return {std::nullopt, true};
            case FakeScpiMode::Floods:
                return {std::nullopt, false, FakeScpiStream::Flood};
            case FakeScpiMode::Trickles:
                return {std::nullopt, false, FakeScpiStream::Trickle};
            default:
                return {QString::asprintf("%+.8E", reading_()).toLatin1()};
        }
    }
    errors_.push_back("-113,\"Undefined header\"");
    return {};
}

QStringList FakeScpiProtocol::received() const {
    const QMutexLocker lock(&mutex_);
    return received_;
}

}  // namespace vcm::test
