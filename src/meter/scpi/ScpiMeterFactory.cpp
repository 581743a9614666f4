#include "meter/scpi/ScpiMeterFactory.h"

#include "adapter/trace/TraceFormat.h"
#include "adapter/trace/TraceLog.h"
#include "meter/core/MeterAddress.h"
#include "meter/core/MeterFailure.h"
#include "meter/scpi/ScpiMeter.h"
#include "meter/scpi/SerialTransport.h"
#include "meter/scpi/TcpTransport.h"
#ifdef VCM_HAVE_USBTMC
#include "meter/scpi/UsbtmcTransport.h"
#endif

namespace vcm::meter {

namespace {

std::unique_ptr<LineTransport> transportFor(const MeterAddress& address) {
    switch (address.transport) {
        case MeterTransport::Tcp:
            return std::make_unique<TcpTransport>(address.host, address.port);
        case MeterTransport::Serial:
            return std::make_unique<SerialTransport>(address.device, address.baud);
        case MeterTransport::Usbtmc:
#ifdef VCM_HAVE_USBTMC
            return std::make_unique<UsbtmcTransport>(address.device);
#else
            throw MeterFailure{QStringLiteral("meter %1: USBTMC meters need the USBTMC driver of "
                                              "Linux, which this system lacks; reach the meter through "
                                              "its network port (scpi:tcp:HOST) or its serial port "
                                              "(scpi:serial:COM3) instead")
                                   .arg(meterAddressText(address))};
#endif
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<Meter> makeScpiMeter(const MeterOptions& options) {
    // Stamped as the adapter's trace lines are, so that the bus and the meter read as one timeline (a
    // meter's line is stamped when its answer came).
    const adapter::TraceLog::Sink stamped = [clock = adapter::TraceLog::elapsedClock(),
                                             sink = adapter::TraceLog::stderrSink()](const QString& line) {
        sink(adapter::traceLine(clock(), line));
    };
    return makeTracedScpiMeter(options, options.trace ? stamped : adapter::TraceLog::Sink());
}

std::unique_ptr<Meter> makeTracedScpiMeter(const MeterOptions& options,
                                           std::function<void(const QString&)> trace) {
    QString problem;
    const std::optional<MeterAddress> address = parseMeterAddress(options.address, problem);
    if (!address) {
        throw MeterFailure{problem};
    }
    if (!options.query.isEmpty()) {
        if (const QString queryProblem = meterQueryProblem(options.query); !queryProblem.isEmpty()) {
            throw MeterFailure{queryProblem};
        }
    }
    ScpiMeter::Settings settings{meterAddressText(*address), options.query, options.timeoutSeconds,
                                 options.trace ? std::move(trace) : ScpiMeter::TraceSink()};
    auto meter = std::make_unique<ScpiMeter>(transportFor(*address), std::move(settings));
    meter->connect();
    return meter;
}

}  // namespace vcm::meter
