#include "adapter/TracingAdapter.h"

#include "adapter/TraceFormat.h"

namespace vcm {

TracingAdapter::TracingAdapter(AdapterLibrary& inner, TraceLog& log) : inner_(inner), log_(log) {}

std::int16_t TracingAdapter::crvHID_connect() {
    const double start = log_.beginCall();
    const std::int16_t result = inner_.crvHID_connect();
    log_.endCall(start, traceConnect(result));
    return result;
}

std::int16_t TracingAdapter::crvHID_indicateSelectedModule(std::int16_t& module) {
    const std::int16_t sentModule = module;
    const double start = log_.beginCall();
    const std::int16_t result = inner_.crvHID_indicateSelectedModule(module);
    log_.endCall(start, traceIndicateSelectedModule(sentModule, result));
    return result;
}

std::int16_t TracingAdapter::crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second,
                                                         std::int32_t& mask, std::int16_t& module) {
    const std::uint8_t sentFirst = first;
    const std::uint8_t sentSecond = second;
    const std::int32_t sentMask = mask;
    const std::int16_t sentModule = module;
    const double start = log_.beginCall();
    const std::int16_t result = inner_.crvHID_setGPIOConfiguration(first, second, mask, module);
    log_.endCall(start, traceSetGPIOConfiguration(sentFirst, sentSecond, sentMask, sentModule, result));
    return result;
}

std::int16_t TracingAdapter::crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                              std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                              std::int16_t& module, std::int32_t& status) {
    // Copies the scalars now but refers to the arrays, so the line shows both as the class promises.
    const I2CCallText sent{deviceAddress, registerAddress, count, data, spare, module, status};
    const double start = log_.beginCall();
    const std::int16_t result =
        inner_.crvHID_doI2CRead(deviceAddress, registerAddress, count, data, spare, module, status);
    log_.endCall(start, traceI2C(QStringLiteral("crvHID_doI2CRead"), sent, result));
    return result;
}

std::int16_t TracingAdapter::crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                               std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                               std::int16_t& module, std::int32_t& status) {
    const I2CCallText sent{deviceAddress, registerAddress, count, data, spare, module, status};
    const double start = log_.beginCall();
    const std::int16_t result =
        inner_.crvHID_doI2CWrite(deviceAddress, registerAddress, count, data, spare, module, status);
    log_.endCall(start, traceI2C(QStringLiteral("crvHID_doI2CWrite"), sent, result));
    return result;
}

}  // namespace vcm
