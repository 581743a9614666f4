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

namespace vcm::meter {

namespace {

std::unique_ptr<LineTransport> transportFor(const cli::MeterSpec& spec) {
    switch (spec.transport) {
        case cli::MeterTransport::Tcp:
            return std::make_unique<TcpTransport>(spec.host, spec.port);
        case cli::MeterTransport::Serial:
            return std::make_unique<SerialTransport>(spec.device, spec.baud);
        case cli::MeterTransport::Usbtmc:
#ifdef VCM_HAVE_USBTMC
            return std::make_unique<UsbtmcTransport>(spec.device);
#else
            throw CommandFailure{kExitFailed,
                                 QStringLiteral("meter %1: USBTMC meters need the USBTMC driver of "
                                                "Linux, which this system lacks")
                                     .arg(meterSpecText(spec))};
#endif
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<cli::Meter> makeScpiMeter(const cli::MeterOptions& options) {
    // Stamped as the adapter's trace lines are, so that the bus and the meter read as one timeline (a
    // meter's line is stamped when its answer came).
    const adapter::TraceLog::Sink stamped = [clock = adapter::TraceLog::elapsedClock(),
                                             sink = adapter::TraceLog::stderrSink()](const QString& line) {
        sink(adapter::traceLine(clock(), line));
    };
    return makeTracedScpiMeter(options, options.trace ? stamped : adapter::TraceLog::Sink());
}

std::unique_ptr<cli::Meter> makeTracedScpiMeter(const cli::MeterOptions& options,
                                                std::function<void(const QString&)> trace) {
    QString problem;
    const std::optional<cli::MeterSpec> spec = cli::parseMeterSpec(options.spec, problem);
    if (!spec) {
        throw cli::CommandFailure{cli::kExitUsage, problem};
    }
    if (!options.query.isEmpty()) {
        if (const QString queryProblem = cli::meterQueryProblem(options.query); !queryProblem.isEmpty()) {
            throw cli::CommandFailure{cli::kExitUsage, queryProblem};
        }
    }
    ScpiMeter::Settings settings{cli::meterSpecText(*spec), options.query, options.timeoutSeconds,
                                 options.trace ? std::move(trace) : ScpiMeter::TraceSink()};
    auto meter = std::make_unique<ScpiMeter>(transportFor(*spec), std::move(settings));
    meter->connect();
    return meter;
}

}  // namespace vcm::meter
