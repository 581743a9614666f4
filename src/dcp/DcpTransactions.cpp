#include "dcp/DcpTransactions.h"

namespace vcm::dcp {

std::optional<std::uint8_t> readDataRegister(adapter::AdapterLibrary& library, std::int16_t& module) {
    adapter::ByteArray spare(1, 0);
    std::uint8_t deviceAddress = kDcpDeviceAddress;
    std::uint8_t registerAddress = kDcpRegister;
    std::uint8_t count = 1;
    adapter::ByteArray data(2, 0);
    std::int32_t status = 0;
    const std::int16_t result =
        library.crvHID_doI2CRead(deviceAddress, registerAddress, count, data, spare, module, status);
    if (result == 1 || data.empty()) {
        return std::nullopt;
    }
    return data[0];
}

std::int16_t writeDcp(adapter::AdapterLibrary& library, DcpWrite write, std::int16_t& module) {
    std::uint8_t deviceAddress = write.deviceAddress;
    std::uint8_t registerAddress = kDcpRegister;
    std::uint8_t count = 1;
    adapter::ByteArray data{write.dataByte, 0};
    adapter::ByteArray spare(1, 0);
    std::int32_t status = 0;
    return library.crvHID_doI2CWrite(deviceAddress, registerAddress, count, data, spare, module, status);
}

}  // namespace vcm::dcp
