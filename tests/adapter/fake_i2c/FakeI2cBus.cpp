// A fake kernel I2C bus for tests, preloaded into a test process (LD_PRELOAD). It answers open, ioctl
// and close on one device node path, such as /dev/i2c-97, with an emulated bus that carries a model of
// the VCM7310 at 0x4E and 0x4F and nothing at any other address; every other file goes to the C library
// untouched. The tests steer it through the fake_i2c_* functions below, found with dlsym; a whole program
// run under it takes the node from FAKE_I2C_NODE and the chip's EEPROM value from FAKE_I2C_EEPROM (hex).
//
// Plain C++ and the C library only: it is loaded into every process the test starts.

// The checked wrappers of open() would clash with the definitions below.
#undef _FORTIFY_SOURCE

#include <dlfcn.h>
#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>

namespace {

enum BusState {
    kPresent = 0,    // answers as a working bus
    kVanished = 1,   // unplugged: the node is gone and open handles fail
    kDenied = 2,     // the node exists but the user may not open it
    kNotI2c = 3,     // the node is something other than an I2C bus
    kSmbusOnly = 4,  // an SMBus controller without plain I2C transfers
};

constexpr std::uint16_t kChipEven = 0x4E;
constexpr std::uint16_t kChipOdd = 0x4F;
constexpr std::uint32_t kMaxMessages = 42;  // the kernel's own limit per I2C_RDWR

struct Bus {
    std::mutex lock;
    std::string node;
    int state = kPresent;
    std::set<int> handles;
    std::uint8_t dataRegister = 0;
    std::uint8_t eeprom = 0;
    std::uint8_t pointer = 0;
    std::string log;
    std::string logCopy;  // what fake_i2c_log last handed out
};

Bus* powerOnFromEnvironment() {
    auto* b = new Bus;
    // A process that cannot call the controls (a program run whole) gets its node from the environment.
    if (const char* node = std::getenv("FAKE_I2C_NODE")) {
        b->node = node;
        const char* eeprom = std::getenv("FAKE_I2C_EEPROM");
        b->eeprom = static_cast<std::uint8_t>(eeprom != nullptr ? std::strtoul(eeprom, nullptr, 16) : 0x80);
        b->dataRegister = b->eeprom;
    }
    return b;
}

Bus& bus() {
    static Bus* const instance = powerOnFromEnvironment();  // never destroyed: closes come during exit too
    return *instance;
}

template <class Fn>
Fn next(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

using OpenFn = int (*)(const char*, int, ...);
using IoctlFn = int (*)(int, unsigned long, ...);
using CloseFn = int (*)(int);

std::string hex(std::uint32_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

void logLine(Bus& b, const std::string& line) {
    b.log += line;
    b.log += '\n';
}

int fail(int error) {
    errno = error;
    return -1;
}

bool isNode(const char* path) {
    Bus& b = bus();
    std::lock_guard guard(b.lock);
    return path != nullptr && !b.node.empty() && b.node == path;
}

int openNode(int flags) {
    Bus& b = bus();
    std::lock_guard guard(b.lock);
    if (b.state == kVanished) {
        return fail(ENOENT);
    }
    if (b.state == kDenied) {
        return fail(EACCES);
    }
    // A real descriptor, so its number is unique in the process and close() has something to close.
    static const OpenFn realOpen = next<OpenFn>("open");
    const int fd = realOpen("/dev/null", O_RDWR | (flags & O_CLOEXEC));
    if (fd >= 0) {
        b.handles.insert(fd);
        logLine(b, "open " + b.node + ((flags & O_ACCMODE) == O_RDWR ? " read-write" : " not read-write"));
    }
    return fd;
}

// The chip's answer to one message; false is a NACK. What it stored goes to `effects`.
bool chipTakes(Bus& b, const i2c_msg& message, std::string& effects) {
    if (message.addr != kChipEven && message.addr != kChipOdd) {
        return false;
    }
    if ((message.flags & I2C_M_RD) != 0) {
        // Register 0x00 holds the data register; the chip has no register after it.
        for (std::uint16_t i = 0; i < message.len; ++i) {
            message.buf[i] = (b.pointer == 0 && i == 0) ? b.dataRegister : 0x00;
        }
        return true;
    }
    if (message.len == 0 || message.buf[0] != 0x00) {
        return false;
    }
    b.pointer = message.buf[0];
    if (message.len == 1) {
        return true;  // sets the register pointer for a read
    }
    if (message.len != 2) {
        return false;
    }
    const std::uint8_t data = message.buf[1];
    const auto value = static_cast<std::uint8_t>((data & 0xFEU) | (message.addr & 0x01U));
    if ((data & 0x01U) != 0) {
        b.dataRegister = value;
        effects += "chip: data register 0x" + hex(value) + "\n";
    } else {
        b.eeprom = value;
        effects += "chip: EEPROM 0x" + hex(value) + "\n";
    }
    return true;
}

std::string describe(const i2c_msg& message) {
    if ((message.flags & I2C_M_RD) != 0) {
        return "read 0x" + hex(message.addr) + " " + std::to_string(message.len);
    }
    std::string bytes;
    for (std::uint16_t i = 0; i < message.len; ++i) {
        bytes += (i == 0 ? "" : " ") + hex(message.buf[i]);
    }
    return "write 0x" + hex(message.addr) + " [" + bytes + "]";
}

int transfer(Bus& b, i2c_rdwr_ioctl_data* request) {
    if (request == nullptr || request->nmsgs == 0 || request->nmsgs > kMaxMessages) {
        return fail(EINVAL);
    }
    std::string line = "transfer";
    for (std::uint32_t i = 0; i < request->nmsgs; ++i) {
        line += (i == 0 ? " " : " + ") + describe(request->msgs[i]);
    }
    // The transfer first, then what the chip made of it.
    std::string effects;
    for (std::uint32_t i = 0; i < request->nmsgs; ++i) {
        // The kernel gives up at the first message nobody acknowledges.
        if (!chipTakes(b, request->msgs[i], effects)) {
            logLine(b, line + " -> NACK");
            b.log += effects;
            return fail(ENXIO);
        }
    }
    logLine(b, line);
    b.log += effects;
    return static_cast<int>(request->nmsgs);
}

int nodeIoctl(int fd, unsigned long request, void* argument) {
    Bus& b = bus();
    std::lock_guard guard(b.lock);
    if (b.state == kVanished) {
        return fail(ENODEV);
    }
    if (b.state == kNotI2c) {
        return fail(ENOTTY);
    }
    if (request == I2C_FUNCS) {
        logLine(b, "functions");
        *static_cast<unsigned long*>(argument) =
            b.state == kSmbusOnly ? I2C_FUNC_SMBUS_EMUL : (I2C_FUNC_I2C | I2C_FUNC_SMBUS_EMUL);
        return 0;
    }
    if (request == I2C_RDWR && b.state != kSmbusOnly) {
        return transfer(b, static_cast<i2c_rdwr_ioctl_data*>(argument));
    }
    logLine(b, "ioctl " + std::to_string(request) + " on " + std::to_string(fd) + " refused");
    return fail(ENOTTY);
}

bool isHandle(int fd) {
    Bus& b = bus();
    std::lock_guard guard(b.lock);
    return b.handles.count(fd) != 0;
}

mode_t modeArgument(int flags, va_list arguments) {
    return ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) ? va_arg(arguments, mode_t) : 0;
}

}  // namespace

extern "C" {

// ---- the C library calls the fake answers for its node ----

int open(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    if (isNode(path)) {
        return openNode(flags);
    }
    static const OpenFn real = next<OpenFn>("open");
    return real(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    if (isNode(path)) {
        return openNode(flags);
    }
    static const OpenFn real = next<OpenFn>("open64");
    return real(path, flags, mode);
}

// What open() becomes in code built with _FORTIFY_SOURCE.
int __open_2(const char* path, int flags) {
    return open(path, flags);
}
int __open64_2(const char* path, int flags) {
    return open64(path, flags);
}

int ioctl(int fd, unsigned long request, ...) {
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    if (isHandle(fd)) {
        return nodeIoctl(fd, request, argument);
    }
    static const IoctlFn real = next<IoctlFn>("ioctl");
    return real(fd, request, argument);
}

int close(int fd) {
    {
        Bus& b = bus();
        std::lock_guard guard(b.lock);
        if (b.handles.erase(fd) != 0) {
            logLine(b, "close");
        }
    }
    static const CloseFn real = next<CloseFn>("close");
    return real(fd);
}

// ---- the controls the tests use ----

/// Puts the emulated bus at `node` with the chip freshly powered on from `eeprom`, present, with an empty
/// log. Handles still open from before stay handles of the bus.
void fake_i2c_power_on(const char* node, unsigned char eeprom) {
    Bus& b = bus();
    std::lock_guard guard(b.lock);
    b.node = node;
    b.state = kPresent;
    b.dataRegister = eeprom;
    b.eeprom = eeprom;
    b.pointer = 0;
    b.log.clear();
}

/// One of the BusState values: 0 present, 1 vanished, 2 permission denied, 3 not an I2C bus, 4 SMBus only.
void fake_i2c_set_state(int state) {
    Bus& b = bus();
    std::lock_guard guard(b.lock);
    b.state = state;
}

/// Everything that reached the node since power-on or the last call, one event a line; valid until the
/// next call.
const char* fake_i2c_take_log() {
    Bus& b = bus();
    std::lock_guard guard(b.lock);
    b.logCopy.swap(b.log);
    b.log.clear();
    return b.logCopy.c_str();
}

int fake_i2c_open_handles() {
    Bus& b = bus();
    std::lock_guard guard(b.lock);
    return static_cast<int>(b.handles.size());
}

unsigned char fake_i2c_data_register() {
    Bus& b = bus();
    std::lock_guard guard(b.lock);
    return b.dataRegister;
}

unsigned char fake_i2c_eeprom() {
    Bus& b = bus();
    std::lock_guard guard(b.lock);
    return b.eeprom;
}

}  // extern "C"
