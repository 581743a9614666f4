// Stops a program as a user at its console does: starts COMMAND_LINE on this console, waits until the
// file READY exists (the program makes it when it is where the stop should find it), sends Ctrl+C to
// every process on the console, and ends with the program's exit code. (Wine's console carries Ctrl+C
// only; its Ctrl+Break is not implemented, so that one cannot be sent here.)
// Usage: console_stop READY COMMAND_LINE
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kPatienceMs = 60000;
constexpr int kFailed = 99;

BOOL WINAPI stayAlive(DWORD) {
    return TRUE;
}

int fail(const char* what) {
    std::fprintf(stderr, "console_stop: %s (error %lu)\n", what, ::GetLastError());
    return kFailed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: console_stop READY COMMAND_LINE\n");
        return 2;
    }
    std::string commandLine = argv[2];
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return fail("cannot start the program");
    }
    // Installed after the start: the program must not inherit a console that ignores Ctrl+C.
    ::SetConsoleCtrlHandler(stayAlive, TRUE);
    const ULONGLONG deadline = ::GetTickCount64() + kPatienceMs;
    while (::GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES) {
        if (::WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
            return fail("the program ended before it was ready");
        }
        if (::GetTickCount64() > deadline) {
            ::TerminateProcess(process.hProcess, kFailed);
            return fail("the program was not ready in time");
        }
    }
    if (!::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
        ::TerminateProcess(process.hProcess, kFailed);
        return fail("cannot send the console event");
    }
    if (::WaitForSingleObject(process.hProcess, kPatienceMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.hProcess, kFailed);
        return fail("the program did not end after the stop");
    }
    DWORD code = kFailed;
    ::GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
}
