#include "BridgeProtocol.h"

#include <charconv>
#include <limits>

namespace bridge {

namespace {

constexpr const char* kNames[] = {"crvHID_connect", "crvHID_indicateSelectedModule",
                                  "crvHID_setGPIOConfiguration", "crvHID_doI2CRead", "crvHID_doI2CWrite"};

/// How many leading words of the argument list a function takes.
std::size_t argumentCount(Function function) {
    switch (function) {
        case Function::Connect:
            return 0;
        case Function::IndicateSelectedModule:
            return 1;
        case Function::SetGPIOConfiguration:
            return 4;
        case Function::DoI2CRead:
        case Function::DoI2CWrite:
            return 7;
    }
    return 0;
}

template <class T>
std::optional<T> parseInteger(const std::string& text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || next != end || value < std::numeric_limits<T>::min() ||
        value > std::numeric_limits<T>::max()) {
        return std::nullopt;
    }
    return static_cast<T>(value);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::vector<std::string> formatArguments(Function function, const CallArguments& a) {
    switch (function) {
        case Function::Connect:
            return {};
        case Function::IndicateSelectedModule:
            return {std::to_string(a.module)};
        case Function::SetGPIOConfiguration:
            return {std::to_string(a.deviceAddress), std::to_string(a.registerAddress),
                    std::to_string(a.status), std::to_string(a.module)};
        case Function::DoI2CRead:
        case Function::DoI2CWrite:
            return {std::to_string(a.deviceAddress),
                    std::to_string(a.registerAddress),
                    std::to_string(a.count),
                    formatBytes(a.data),
                    formatBytes(a.spare),
                    std::to_string(a.module),
                    std::to_string(a.status)};
    }
    return {};
}

/// Reads the arguments of `function` from `words`, starting at `first`.
std::optional<CallArguments> parseArguments(Function function, const std::vector<std::string>& words,
                                            std::size_t first) {
    if (words.size() != first + argumentCount(function)) {
        return std::nullopt;
    }
    CallArguments a;
    const auto word = [&](std::size_t i) -> const std::string& { return words[first + i]; };
    switch (function) {
        case Function::Connect:
            return a;
        case Function::IndicateSelectedModule: {
            const auto module = parseInteger<std::int16_t>(word(0));
            if (!module) {
                return std::nullopt;
            }
            a.module = *module;
            return a;
        }
        case Function::SetGPIOConfiguration: {
            const auto first8 = parseInteger<std::uint8_t>(word(0));
            const auto second8 = parseInteger<std::uint8_t>(word(1));
            const auto mask = parseInteger<std::int32_t>(word(2));
            const auto module = parseInteger<std::int16_t>(word(3));
            if (!first8 || !second8 || !mask || !module) {
                return std::nullopt;
            }
            a.deviceAddress = *first8;
            a.registerAddress = *second8;
            a.status = *mask;
            a.module = *module;
            return a;
        }
        case Function::DoI2CRead:
        case Function::DoI2CWrite: {
            const auto device = parseInteger<std::uint8_t>(word(0));
            const auto reg = parseInteger<std::uint8_t>(word(1));
            const auto count = parseInteger<std::uint8_t>(word(2));
            auto data = parseBytes(word(3));
            auto spare = parseBytes(word(4));
            const auto module = parseInteger<std::int16_t>(word(5));
            const auto status = parseInteger<std::int32_t>(word(6));
            if (!device || !reg || !count || !data || !spare || !module || !status) {
                return std::nullopt;
            }
            a.deviceAddress = *device;
            a.registerAddress = *reg;
            a.count = *count;
            a.data = std::move(*data);
            a.spare = std::move(*spare);
            a.module = *module;
            a.status = *status;
            return a;
        }
    }
    return std::nullopt;
}

std::string joined(std::string head, const std::vector<std::string>& words) {
    for (const std::string& w : words) {
        head += ' ';
        head += w;
    }
    return head;
}

}  // namespace

const char* functionName(Function function) {
    return kNames[static_cast<int>(function)];
}

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::string current;
    for (const char c : line) {
        if (c == ' ') {
            words.push_back(current);
            current.clear();
        } else if (c != '\r' && c != '\n') {
            current += c;
        }
    }
    words.push_back(current);
    return words;
}

std::string formatBytes(const Bytes& bytes) {
    if (bytes.empty()) {
        return "-";
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

std::optional<Bytes> parseBytes(const std::string& text) {
    if (text == "-") {
        return Bytes{};
    }
    if (text.empty() || text.size() % 2 != 0) {
        return std::nullopt;
    }
    Bytes bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::string formatCall(const Call& call) {
    return joined(std::string("call ") + functionName(call.function),
                  formatArguments(call.function, call.arguments));
}

std::optional<Call> parseCall(const std::string& line, std::string& problem) {
    const std::vector<std::string> words = splitWords(line);
    if (words.size() < 2 || words[0] != "call") {
        problem = "not a call";
        return std::nullopt;
    }
    for (int f = 0; f <= static_cast<int>(Function::DoI2CWrite); ++f) {
        const auto function = static_cast<Function>(f);
        if (words[1] == functionName(function)) {
            auto arguments = parseArguments(function, words, 2);
            if (!arguments) {
                problem = std::string("bad arguments for ") + functionName(function);
                return std::nullopt;
            }
            return Call{function, std::move(*arguments)};
        }
    }
    problem = "unknown function " + words[1];
    return std::nullopt;
}

std::string formatAnswer(Function function, std::int16_t result, const CallArguments& arguments) {
    return joined("ok " + std::to_string(result), formatArguments(function, arguments));
}

std::optional<std::pair<std::int16_t, CallArguments>> parseAnswer(Function function,
                                                                  const std::string& line) {
    const std::vector<std::string> words = splitWords(line);
    if (words.size() < 2 || words[0] != "ok") {
        return std::nullopt;
    }
    const auto result = parseInteger<std::int16_t>(words[1]);
    auto arguments = parseArguments(function, words, 2);
    if (!result || !arguments) {
        return std::nullopt;
    }
    return std::make_pair(*result, std::move(*arguments));
}

}  // namespace bridge
