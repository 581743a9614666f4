#include "adapter/trace/TracingAdapter.h"

#include "adapter/trace/TraceFormat.h"

namespace vcm::adapter {

// Each line is formatted after the inner call returns, from the caller's own arguments: the library may
// write into any of them, and the line shows what it left, scalars and arrays alike.

TracingAdapter::TracingAdapter(AdapterLibrary& inner, TraceLog& log) : ForwardingAdapter(inner), log_(log) {}

std::int16_t TracingAdapter::crvHID_connect() {
    const double start = log_.beginCall();
    const std::int16_t result = ForwardingAdapter::crvHID_connect();
    log_.endCall(start, traceConnect(result));
    return result;
}

std::int16_t TracingAdapter::crvHID_indicateSelectedModule(std::int16_t& module) {
    const double start = log_.beginCall();
    const std::int16_t result = ForwardingAdapter::crvHID_indicateSelectedModule(module);
    log_.endCall(start, traceIndicateSelectedModule(module, result));
    return result;
}

std::int16_t TracingAdapter::crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second,
                                                         std::int32_t& mask, std::int16_t& module) {
    const double start = log_.beginCall();
    const std::int16_t result = ForwardingAdapter::crvHID_setGPIOConfiguration(first, second, mask, module);
    log_.endCall(start, traceSetGPIOConfiguration(first, second, mask, module, result));
    return result;
}

std::int16_t TracingAdapter::crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                              std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                              std::int16_t& module, std::int32_t& status) {
    const double start = log_.beginCall();
    const std::int16_t result = ForwardingAdapter::crvHID_doI2CRead(deviceAddress, registerAddress, count,
                                                                    data, spare, module, status);
    log_.endCall(start,
                 traceI2C(QStringLiteral("crvHID_doI2CRead"),
                          {deviceAddress, registerAddress, count, data, spare, module, status}, result));
    return result;
}

std::int16_t TracingAdapter::crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                               std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                               std::int16_t& module, std::int32_t& status) {
    const double start = log_.beginCall();
    const std::int16_t result = ForwardingAdapter::crvHID_doI2CWrite(deviceAddress, registerAddress, count,
                                                                     data, spare, module, status);
    log_.endCall(start,
                 traceI2C(QStringLiteral("crvHID_doI2CWrite"),
                          {deviceAddress, registerAddress, count, data, spare, module, status}, result));
    return result;
}

}  // namespace vcm::adapter
