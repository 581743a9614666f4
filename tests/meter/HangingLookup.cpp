// A name server that never answers, for tests: preloaded into a process (LD_PRELOAD), it makes the lookup
// of any name under "hangs.invalid" block for 30 s and then fail as a lookup that timed out does. Every
// other lookup goes to the C library. (".invalid" never resolves, so without this library the lookup
// fails at once instead, and a test that expects it to hang sees that.)
//
// Plain C++ and the C library only: it is loaded into every process the test starts.
#include <dlfcn.h>
#include <netdb.h>

#include <cstring>
#include <ctime>

namespace {

bool hangs(const char* name) {
    constexpr char kDomain[] = ".hangs.invalid";
    constexpr std::size_t kLength = sizeof kDomain - 1;
    const std::size_t length = name != nullptr ? std::strlen(name) : 0;
    return length > kLength && std::strcmp(name + length - kLength, kDomain) == 0;
}

}  // namespace

extern "C" int getaddrinfo(const char* name, const char* service, const addrinfo* hints, addrinfo** result) {
    if (hangs(name)) {
        timespec left{30, 0};
        while (::nanosleep(&left, &left) != 0) {
        }
        return EAI_AGAIN;
    }
    using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    static const auto next = reinterpret_cast<Lookup>(::dlsym(RTLD_NEXT, "getaddrinfo"));
    return next(name, service, hints, result);
}
