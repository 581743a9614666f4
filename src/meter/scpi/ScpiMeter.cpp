#include "meter/scpi/ScpiMeter.h"

#include "adapter/core/ArgumentText.h"
#include "meter/core/MeterAddress.h"
#include "meter/core/MeterFailure.h"

#include <algorithm>

namespace vcm::meter {

namespace {

const QString kDefaultQuery = QStringLiteral("READ?");
const QString kErrorQuery = QStringLiteral("SYST:ERR?");
// The trace shows whole replies (an identification is often longer than a message's excerpt).
constexpr int kTraceLimit = 200;

QString secondsText(double seconds) {
    return QString::number(seconds, 'g', 3);
}

// A deadline `seconds` from now; a day at most, so that no timeout given turns into a wait without end.
QDeadlineTimer deadlineAfter(double seconds) {
    constexpr double kLongest = 24.0 * 3600.0 * 1000.0;
    const double milliseconds = seconds * 1000.0;
    return QDeadlineTimer(static_cast<qint64>(milliseconds > 0.0 ? std::min(milliseconds, kLongest) : 0.0));
}

}  // namespace

ScpiMeter::ScpiMeter(std::unique_ptr<LineTransport> transport, Settings settings)
    : transport_(std::move(transport)), settings_(std::move(settings)) {
    if (settings_.query.isEmpty()) {
        settings_.query = kDefaultQuery;
    }
}

void ScpiMeter::connect() {
    try {
        transport_->open(deadlineAfter(settings_.timeoutSeconds));
    } catch (const LinkFailure& failure) {
        fail(failure.kind == LinkFailure::Kind::TimedOut
                 ? QStringLiteral("cannot connect within %1 s").arg(secondsText(settings_.timeoutSeconds))
                 : failure.reason);
    }
    identity_ = exchange(QStringLiteral("*IDN?"), true).trimmed();
    exchange(QStringLiteral("*CLS"), false);
    const QString configure = QStringLiteral("CONF:VOLT:DC");
    exchange(configure, false);
    const auto [error, reply] = nextError();
    if (error.isError()) {
        fail(QStringLiteral("%1 was refused: %2 answered %3")
                 .arg(configure, kErrorQuery, adapter::quotedArgument(reply)));
    }
}

double ScpiMeter::measure(std::uint8_t) {
    const QString reply = exchange(settings_.query, true);
    const ScpiReading reading = scpiReading(reply);
    QString what;
    switch (reading.kind) {
        case ScpiReading::Kind::Volts:
            return reading.volts;
        case ScpiReading::Kind::Overload:
            what = QStringLiteral("%1 answered %2, the overload value (out of range)")
                       .arg(settings_.query, adapter::quotedArgument(reply));
            break;
        case ScpiReading::Kind::SeveralValues:
            what = QStringLiteral("%1 answered %2, several values instead of one")
                       .arg(settings_.query, adapter::quotedArgument(reply));
            break;
        case ScpiReading::Kind::NotANumber:
            what = reply.trimmed().isEmpty()
                       ? QStringLiteral("%1 answered an empty line").arg(settings_.query)
                       : QStringLiteral("%1 answered %2, not a number in volts")
                             .arg(settings_.query, adapter::quotedArgument(reply));
            break;
    }
    fail(what + errorQueueNote());
}

QString ScpiMeter::exchange(const QString& command, bool expectReply) {
    const QDeadlineTimer deadline = deadlineAfter(settings_.timeoutSeconds);
    const QByteArray line = command.toLatin1();
    try {
        transport_->sendLine(line, deadline);
    } catch (const LinkFailure& failure) {
        failLink(failure, command, true);
    }
    if (!expectReply) {
        if (settings_.trace) {
            settings_.trace(QStringLiteral("meter: %1").arg(command));
        }
        return {};
    }
    QString reply;
    try {
        reply = QString::fromLatin1(transport_->readLine(deadline));
    } catch (const LinkFailure& failure) {
        if (settings_.trace) {
            settings_.trace(QStringLiteral("meter: %1 -> %2")
                                .arg(command, failure.kind == LinkFailure::Kind::TooLong
                                                  ? QStringLiteral("(no line end)")
                                                  : QStringLiteral("(no answer)")));
        }
        failLink(failure, command, false);
    }
    if (settings_.trace) {
        settings_.trace(
            QStringLiteral("meter: %1 -> %2").arg(command, adapter::quotedArgument(reply, kTraceLimit)));
    }
    return reply;
}

std::pair<ScpiError, QString> ScpiMeter::nextError() {
    const QString reply = exchange(kErrorQuery, true);
    const std::optional<ScpiError> error = scpiError(reply);
    if (!error) {
        fail(QStringLiteral("%1 answered %2, not an error code")
                 .arg(kErrorQuery, adapter::quotedArgument(reply)));
    }
    return {*error, reply};
}

QString ScpiMeter::errorQueueNote() {
    try {
        const auto [error, reply] = nextError();
        if (error.isError()) {
            return QStringLiteral("; %1 answered %2").arg(kErrorQuery, adapter::quotedArgument(reply));
        }
        return {};
    } catch (const MeterFailure&) {
        // The reading already failed; a meter that cannot tell why adds nothing to say.
        return {};
    }
}

void ScpiMeter::fail(const QString& what) const {
    throw MeterFailure{QStringLiteral("meter %1: %2").arg(settings_.description, what)};
}

void ScpiMeter::failLink(const LinkFailure& failure, const QString& command, bool sending) const {
    switch (failure.kind) {
        case LinkFailure::Kind::TimedOut:
            fail(sending ? QStringLiteral("%1 could not be sent within %2 s")
                               .arg(command, secondsText(settings_.timeoutSeconds))
                         : QStringLiteral("no answer to %1 within %2 s")
                               .arg(command, secondsText(settings_.timeoutSeconds)));
        case LinkFailure::Kind::TooLong:
            fail(QStringLiteral("%1 answered more than %2 bytes without a line end")
                     .arg(command)
                     .arg(kLongestReply));
        case LinkFailure::Kind::Closed:
        case LinkFailure::Kind::Failed:
            fail(sending
                     ? QStringLiteral("%1 before %2 went out").arg(failure.reason, command)
                     : QStringLiteral("%1 while waiting for the answer to %2").arg(failure.reason, command));
    }
    fail(failure.reason);
}

}  // namespace vcm::meter
