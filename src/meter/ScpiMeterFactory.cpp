#include "meter/ScpiMeterFactory.h"

#include "adapter/trace/TraceFormat.h"
#include "adapter/trace/TraceLog.h"
#include "cli/CommandFailure.h"
#include "cli/MeterAddress.h"
#include "meter/ScpiMeter.h"
#include "meter/SerialTransport.h"
#include "meter/TcpTransport.h"
#ifdef VCM_HAVE_USBTMC
#include "meter/UsbtmcTransport.h"
#endif

namespace vcm::meter {

namespace {

std::unique_ptr<LineTransport> transportFor(const cli::MeterAddress& address) {
    switch (address.transport) {
        case cli::MeterTransport::Tcp:
            return std::make_unique<TcpTransport>(address.host, address.port);
        case cli::MeterTransport::Serial:
            return std::make_unique<SerialTransport>(address.device, address.baud);
        case cli::MeterTransport::Usbtmc:
#ifdef VCM_HAVE_USBTMC
            return std::make_unique<UsbtmcTransport>(address.device);
#else
            throw CommandFailure{kExitFailed,
                                 QStringLiteral("meter %1: USBTMC meters need the USBTMC driver of "
                                                "Linux, which this system lacks")
                                     .arg(meterAddressText(address))};
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
    const std::optional<cli::MeterAddress> address = cli::parseMeterAddress(options.address, problem);
    if (!address) {
        throw cli::CommandFailure{cli::kExitUsage, problem};
    }
    if (!options.query.isEmpty()) {
        if (const QString queryProblem = cli::meterQueryProblem(options.query); !queryProblem.isEmpty()) {
            throw cli::CommandFailure{cli::kExitUsage, queryProblem};
        }
    }
    ScpiMeter::Settings settings{cli::meterAddressText(*address), options.query, options.timeoutSeconds,
                                 options.trace ? std::move(trace) : ScpiMeter::TraceSink()};
    auto meter = std::make_unique<ScpiMeter>(transportFor(*address), std::move(settings));
    meter->connect();
    return meter;
}

}  // namespace vcm::meter
