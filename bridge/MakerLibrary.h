#pragma once

// The board maker's adapter library, loaded and bound by name. Windows only.

#include "BridgeProtocol.h"

#include <windows.h>

#include <oleauto.h>

#include <string>

namespace bridge {

/// The library as the program declares it: stdcall, every argument by reference, byte arrays as
/// references to OLE Automation safe arrays, 16-bit results. Declaring the results as 16-bit is what
/// makes the caller ignore whatever the library leaves in the upper half of the result register.
using ConnectFunction = short(WINAPI*)();
using IndicateFunction = short(WINAPI*)(short* module);
using SetGPIOFunction = short(WINAPI*)(unsigned char* first, unsigned char* second, INT32* mask,
                                       short* module);
using I2CFunction = short(WINAPI*)(unsigned char* deviceAddress, unsigned char* registerAddress,
                                   unsigned char* count, SAFEARRAY** data, SAFEARRAY** spare, short* module,
                                   INT32* status);

class MakerLibrary {
  public:
    /// What went wrong when loading, in the protocol's words ("library <path> <error>", "wordsize
    /// <library's bits> <bridge's bits> <path>" or "function <name> <path>"); empty when all five
    /// functions are bound.
    const std::string& problem() const { return problem_; }
    const std::string& path() const { return path_; }

    /// Loads the library from `path` (a file, or a folder holding crvhid.dll). With an empty path: the
    /// crvhid.dll beside this program, else the one the usual DLL search finds.
    void load(const std::wstring& path);

    /// Calls the function with the arguments (which it may change) and returns its result.
    std::int16_t call(Function function, CallArguments& arguments) const;

  private:
    HMODULE module_ = nullptr;
    std::string path_;
    std::string problem_;
    ConnectFunction connect_ = nullptr;
    IndicateFunction indicate_ = nullptr;
    SetGPIOFunction setGPIO_ = nullptr;
    I2CFunction read_ = nullptr;
    I2CFunction write_ = nullptr;
};

/// A wide Windows string as UTF-8.
std::string toUtf8(const std::wstring& text);

}  // namespace bridge
