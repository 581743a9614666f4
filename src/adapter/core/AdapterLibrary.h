#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace vcm::adapter {

using ByteArray = std::vector<std::uint8_t>;

/// What the library's calls answer, for every back-end and every caller. The program tests a connect
/// result only against `kNoAdapterFound` and a read result only against `kCallFailed`, so any other value a
/// real library gives means open, or done.
namespace adapterResult {
inline constexpr std::int16_t kNoAdapterFound = 0;  ///< crvHID_connect: no adapter
inline constexpr std::int16_t kAdapterOpen = 1;     ///< crvHID_connect: an adapter is open
inline constexpr std::int16_t kCallDone = 0;        ///< every other call: done
inline constexpr std::int16_t kCallFailed = 1;      ///< every other call: failed, data untouched
}  // namespace adapterResult

/// The five functions of the USB-HID to I2C adapter library that the program calls. Every argument is
/// passed by reference, as the library takes them: it may write back into any of them. The program calls
/// the library only through this interface.
///
/// In the I2C calls `data` is sized count + 1 by the caller (a read fills elements 0..count-1, a write
/// sends them), `spare` has one element that the program neither fills nor reads, and `status` is set to 0
/// before every call and not read after.
class AdapterLibrary {
  public:
    virtual ~AdapterLibrary() = default;

    /// Opens an adapter: not 0 when one is open, 0 when none was found.
    virtual std::int16_t crvHID_connect() = 0;
    /// Result ignored by the program.
    virtual std::int16_t crvHID_indicateSelectedModule(std::int16_t& module) = 0;
    /// Result ignored by the program.
    virtual std::int16_t crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second,
                                                     std::int32_t& mask, std::int16_t& module) = 0;
    /// 1: failed, data ignored; any other result: data[0] holds the byte read.
    virtual std::int16_t crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                          std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                          std::int16_t& module, std::int32_t& status) = 0;
    /// Result not examined by the program.
    virtual std::int16_t crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                           std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                           std::int16_t& module, std::int32_t& status) = 0;

    /// True for the simulated board (the window marks it in its title).
    virtual bool isSimulatedBoard() const { return false; }
    /// Set once a call has found that the library cannot be had at all (the adapter bridge, the library
    /// or one of its functions missing), with what to tell the user; the program cannot go on then.
    virtual std::optional<QString> unavailable() const { return std::nullopt; }

  protected:
    AdapterLibrary() = default;
    AdapterLibrary(const AdapterLibrary&) = default;
    AdapterLibrary& operator=(const AdapterLibrary&) = default;
};

}  // namespace vcm::adapter
