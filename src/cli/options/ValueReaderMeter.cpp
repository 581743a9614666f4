// Reading the meter's options (--measure or --meter and how it measures) into an invocation.
#include "cli/options/ValueReader.h"

#include "adapter/core/ArgumentText.h"
#include "cli/commands/CommandFailure.h"
#include "cli/options/ArgumentValues.h"
#include "meter/core/MeterAddress.h"

namespace vcm::cli {

void ValueReader::readMeter(Invocation& invocation) const {
    meter::MeterOptions& meter = invocation.meter;
    meter.trace = invocation.adapter.trace;
    if (parser_.isSet(options_.measure)) {
        meter.command = parser_.value(options_.measure);
        if (meter.command.trimmed().isEmpty()) {
            throw CommandFailure{kExitUsage, QStringLiteral("--measure needs a command.")};
        }
    }
    if (parser_.isSet(options_.meter)) {
        if (parser_.isSet(options_.measure)) {
            throw CommandFailure{kExitUsage, QStringLiteral("Give --measure or --meter, not both.")};
        }
        meter.address = parser_.value(options_.meter);
        QString problem;
        if (!meter::parseMeterAddress(meter.address, problem)) {
            throw CommandFailure{kExitUsage, problem};
        }
    }
    meter.query = parser_.value(options_.meterQuery);
    if (parser_.isSet(options_.meterQuery)) {
        if (const QString problem = meter::meterQueryProblem(meter.query); !problem.isEmpty()) {
            throw CommandFailure{kExitUsage, problem};
        }
    }
    const std::optional<double> timeout = numberArgument(parser_.value(options_.meterTimeout));
    if (!timeout || !(*timeout > 0.0) || *timeout > 86400.0) {
        throw CommandFailure{kExitUsage,
                             QStringLiteral("Bad --meter-timeout %1 (give seconds above 0, such "
                                            "as 10).")
                                 .arg(adapter::quotedArgument(parser_.value(options_.meterTimeout)))};
    }
    meter.timeoutSeconds = *timeout;
    invocation.settleMs = wholeNumber(options_.settle, 0, 600000, QStringLiteral("milliseconds"));
    invocation.average = wholeNumber(options_.average, 1, 1000, QStringLiteral("a count"));
    const bool measuring = meter.given();
    for (const QCommandLineOption* option :
         {&options_.meterQuery, &options_.meterTimeout, &options_.settle, &options_.average}) {
        if (!measuring && parser_.isSet(*option)) {
            throw CommandFailure{
                kExitUsage,
                QStringLiteral("--%1 needs --measure or --meter.").arg(option->names().constFirst())};
        }
    }
    if (parser_.isSet(options_.meterQuery) && meter.address.isEmpty()) {
        throw CommandFailure{kExitUsage, QStringLiteral("--meter-query needs --meter.")};
    }
}

}  // namespace vcm::cli
