#include "meter/ScpiMeterFactory.h"

#include "adapter/trace/TraceFormat.h"
#include "adapter/trace/TraceLog.h"
#include "cli/CommandFailure.h"
#include "cli/MeterSpec.h"
#include "meter/ScpiMeter.h"
#include "meter/SerialTransport.h"
#include "meter/TcpTransport.h"
#ifdef VCM_HAVE_USBTMC
#include "meter/UsbtmcTransport.h"
#endif

namespace vcm {

namespace {

std::unique_ptr<LineTransport> transportFor(const MeterSpec& spec) {
    switch (spec.transport) {
        case MeterTransport::Tcp:
            return std::make_unique<TcpTransport>(spec.host, spec.port);
        case MeterTransport::Serial:
            return std::make_unique<SerialTransport>(spec.device, spec.baud);
        case MeterTransport::Usbtmc:
#ifdef VCM_HAVE_USBTMC
            return std::make_unique<UsbtmcTransport>(spec.device);
#else
            throw CommandFailure{exitFailed,
                                 QStringLiteral("meter %1: USBTMC meters need the USBTMC driver of "
                                                "Linux, which this system lacks")
                                     .arg(meterSpecText(spec))};
#endif
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<Meter> makeScpiMeter(const MeterOptions& options) {
    // Stamped as the adapter's trace lines are, so that the bus and the meter read as one timeline (a
    // meter's line is stamped when its answer came).
    const TraceLog::Sink stamped = [clock = TraceLog::elapsedClock(), sink = TraceLog::stderrSink()](
                                       const QString& line) { sink(traceLine(clock(), line)); };
    return makeTracedScpiMeter(options, options.trace ? stamped : TraceLog::Sink());
}

std::unique_ptr<Meter> makeTracedScpiMeter(const MeterOptions& options,
                                           std::function<void(const QString&)> trace) {
    QString problem;
    const std::optional<MeterSpec> spec = parseMeterSpec(options.spec, problem);
    if (!spec) {
        throw CommandFailure{exitUsage, problem};
    }
    if (!options.query.isEmpty()) {
        if (const QString queryProblem = meterQueryProblem(options.query); !queryProblem.isEmpty()) {
            throw CommandFailure{exitUsage, queryProblem};
        }
    }
    ScpiMeter::Settings settings{meterSpecText(*spec), options.query, options.timeoutSeconds,
                                 options.trace ? std::move(trace) : ScpiMeter::TraceSink()};
    auto meter = std::make_unique<ScpiMeter>(transportFor(*spec), std::move(settings));
    meter->connect();
    return meter;
}

}  // namespace vcm
