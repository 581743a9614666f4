// vcm7310-adapter-bridge: loads the board maker's adapter library into a process of the library's own
// word size and answers calls to it, one line in and one line out, on standard input and output.
//
//   vcm7310-adapter-bridge.exe [--library PATH]
//
// PATH is the library file or the folder holding crvhid.dll; without it the crvhid.dll beside this
// program is used, else the one the usual DLL search finds.

#include "BridgeProtocol.h"
#include "MakerLibrary.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

void answer(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

/// A crash inside the library ends the bridge, but first says so, so the program can tell a crash from
/// a bridge that was closed or killed.
LONG WINAPI reportCrash(EXCEPTION_POINTERS* exception) {
    char line[64];
    std::snprintf(line, sizeof line, "fail crash %08lX",
                  static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode));
    answer(line);
    ExitProcess(3);
}

std::wstring libraryArgument() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring path;
    for (int i = 1; arguments != nullptr && i + 1 < count; ++i) {
        if (std::wstring(arguments[i]) == L"--library") {
            path = arguments[i + 1];
        }
    }
    LocalFree(arguments);
    return path;
}

bool readLine(std::string& line) {
    line.clear();
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF) {
        if (c == '\n') {
            return true;
        }
        line += static_cast<char>(c);
    }
    return !line.empty();
}

std::string hello(const std::string& line, const bridge::MakerLibrary& library) {
    // Appended piece by piece: GCC 12 warns wrongly about chained string concatenations at -O3.
    const std::string version = std::to_string(bridge::kProtocolVersion);
    std::string greeting;
    if (line != std::string("hello ").append(version)) {
        greeting.append("fail version ").append(version);
    } else if (!library.problem().empty()) {
        greeting.append("fail ").append(library.problem());
    } else {
        greeting.append("ok ").append(version).append(" ").append(library.path());
    }
    return greeting;
}

}  // namespace

int main() {
    // No text-mode translation: the program reads exactly the bytes written.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    // No message box from the system when the library or one of its dependencies cannot be found: the
    // program reports that itself.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(reportCrash);

    bridge::MakerLibrary library;
    library.load(libraryArgument());

    std::string line;
    bool greeted = false;
    while (readLine(line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.rfind("hello", 0) == 0) {
            const std::string greeting = hello(line, library);
            greeted = greeting.rfind("ok ", 0) == 0;
            answer(greeting);
            continue;
        }
        std::string problem;
        std::optional<bridge::Call> call = bridge::parseCall(line, problem);
        if (!greeted) {
            answer("fail request no library loaded");
        } else if (!call) {
            answer("fail request " + problem);
        } else {
            const std::int16_t result = library.call(call->function, call->arguments);
            answer(bridge::formatAnswer(call->function, result, call->arguments));
        }
    }
    return 0;
}
