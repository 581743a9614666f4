#pragma once

// The bridge's wire format, compiled into both the bridge and the program's client.
// Plain C++ only, so it builds for Windows with MinGW and natively for tests.
//
// One request line in, one answer line out, ASCII, each ended by '\n' (a '\r' before it is ignored).
//
//   hello 1                      -> ok 1 <library path>   | fail library <path> <windows error>
//                                                          | fail wordsize <library's> <bridge's> <path>
//                                                          | fail function <name> <library path>
//                                                          | fail version <the bridge's version>
//   call <function> <arguments>  -> ok <result> <every argument as the library left it>
//                                 | fail request <what was wrong>
//   (a crash inside the library)  -> fail crash <exception code, hex>, then the bridge ends
//
// "fail wordsize 32 64 <path>": the library is of another word size than the bridge (in bits), as its
// header says; it comes instead of "fail library <path> 193" when the header could be read.
//
// Arguments travel in the library's order: bytes, 16-bit and 32-bit integers in decimal, byte arrays as
// two hex digits per element ("7D00"), "-" for an empty array.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bridge {

inline constexpr int kProtocolVersion = 1;

using Bytes = std::vector<std::uint8_t>;

/// The arguments of every one of the five calls in one shape; each call uses its own leading part.
struct CallArguments {
    std::uint8_t deviceAddress = 0;    ///< also the first byte of crvHID_setGPIOConfiguration
    std::uint8_t registerAddress = 0;  ///< also its second byte
    std::uint8_t count = 0;
    Bytes data;
    Bytes spare;
    std::int16_t module = 0;
    std::int32_t status = 0;  ///< also the 32-bit mask of crvHID_setGPIOConfiguration
};

enum class Function { Connect, IndicateSelectedModule, SetGPIOConfiguration, DoI2CRead, DoI2CWrite };

struct Call {
    Function function = Function::Connect;
    CallArguments arguments;
};

/// The library's export name of a function.
const char* functionName(Function function);

/// "call crvHID_doI2CRead 78 0 1 0000 00 0 0" for a call.
std::string formatCall(const Call& call);
/// Reads a call line; on failure returns nothing and sets `problem`.
std::optional<Call> parseCall(const std::string& line, std::string& problem);

/// "ok 0 78 0 1 7D00 00 0 0": the result and the arguments of `function` as they stand.
std::string formatAnswer(Function function, std::int16_t result, const CallArguments& arguments);
/// Reads an "ok" answer to a call of `function`; returns nothing when the line is not one.
std::optional<std::pair<std::int16_t, CallArguments>> parseAnswer(Function function, const std::string& line);

/// "7D00", or "-" when empty.
std::string formatBytes(const Bytes& bytes);
std::optional<Bytes> parseBytes(const std::string& text);

/// The line split at single blanks.
std::vector<std::string> splitWords(const std::string& line);

}  // namespace bridge
