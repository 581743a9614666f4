#include "meter/core/MeasureCommand.h"

#include "adapter/core/ArgumentText.h"
#include "dcp/DcpText.h"
#include "meter/core/MeasureProcess.h"
#include "meter/core/MeterFailure.h"
#include "meter/core/ScpiReply.h"
#include "meter/core/StopSignal.h"

#include <cmath>

namespace vcm::meter {

namespace {

QString secondsText(int milliseconds) {
    return QString::number(milliseconds / 1000.0, 'g', 6);
}

[[noreturn]] void fail(const QString& what) {
    throw MeterFailure{QStringLiteral("measure: ") + what};
}

}  // namespace

CommandMeter::CommandMeter(QString command, double timeoutSeconds)
    : command_(std::move(command)), timeoutMs_(static_cast<int>(std::lround(timeoutSeconds * 1000.0))) {}

double CommandMeter::measure(std::uint8_t value) {
    if (const int signal = StopSignal::pending(); signal != 0) {
        fail(QStringLiteral("stopped by ") + StopSignal::name(signal));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VCM7310_DCP"), dcp::byteToHex(value));
    const MeasureRun run = runMeasureCommand(command_, environment, timeoutMs_);
    switch (run.end) {
        case MeasureRun::End::NotStarted:
            fail(QStringLiteral("cannot run the command (%1)").arg(run.problem));
        case MeasureRun::End::Stopped:
            fail(QStringLiteral("stopped by ") + StopSignal::name(StopSignal::pending()));
        case MeasureRun::End::TimedOut:
            fail(QStringLiteral("the command did not finish within %1 s and was ended (--meter-timeout)")
                     .arg(secondsText(timeoutMs_)));
        case MeasureRun::End::Crashed:
            fail(QStringLiteral("the command crashed"));
        case MeasureRun::End::Finished:
            break;
    }
    if (run.exitCode != 0) {
        fail(QStringLiteral("the command failed with exit code %1").arg(run.exitCode));
    }
    const QString output = QString::fromLocal8Bit(run.output).trimmed();
    const ScpiReading reading = scpiReading(output);
    switch (reading.kind) {
        case ScpiReading::Kind::Volts:
            return reading.volts;
        case ScpiReading::Kind::Overload:
            fail(QStringLiteral("the command printed %1, the overload value (out of range)")
                     .arg(adapter::quotedArgument(output)));
        case ScpiReading::Kind::SeveralValues:
        case ScpiReading::Kind::NotANumber:
            break;
    }
    fail(QStringLiteral("the command printed no number (%1)").arg(adapter::quotedArgument(output)));
}

}  // namespace vcm::meter
