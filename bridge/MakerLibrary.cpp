#include "MakerLibrary.h"

#include <cstring>

namespace bridge {

namespace {

const wchar_t kLibraryFile[] = L"crvhid.dll";
constexpr int kBridgeWordSize = static_cast<int>(sizeof(void*) * 8);

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring ownFolder() {
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
    std::wstring path(buffer, length);
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring withSeparator(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') {
        folder += L'\\';
    }
    return folder;
}

template <class T>
T bind(HMODULE module, const char* name) {
    // Through a plain function pointer type: a direct cast between unrelated function types warns.
    return reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

SAFEARRAY* toSafeArray(const Bytes& bytes) {
    SAFEARRAYBOUND bound;
    bound.cElements = static_cast<ULONG>(bytes.size());
    bound.lLbound = 0;
    SAFEARRAY* array = SafeArrayCreate(VT_UI1, 1, &bound);
    if (array != nullptr && !bytes.empty()) {
        void* elements = nullptr;
        if (SUCCEEDED(SafeArrayAccessData(array, &elements))) {
            std::memcpy(elements, bytes.data(), bytes.size());
            SafeArrayUnaccessData(array);
        }
    }
    return array;
}

/// The array's elements as the library left them; empty when it left none, or something that is not a
/// one-dimensional array of bytes.
Bytes fromSafeArray(SAFEARRAY* array) {
    Bytes bytes;
    LONG lower = 0;
    LONG upper = -1;
    if (array == nullptr || SafeArrayGetDim(array) != 1 || SafeArrayGetElemsize(array) != 1 ||
        FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)) ||
        upper < lower) {
        return bytes;
    }
    void* elements = nullptr;
    if (SUCCEEDED(SafeArrayAccessData(array, &elements))) {
        const auto* first = static_cast<const unsigned char*>(elements);
        bytes.assign(first, first + (upper - lower + 1));
        SafeArrayUnaccessData(array);
    }
    return bytes;
}

std::uint32_t littleEndian(const Bytes& bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = value << 8 | bytes[at + i];
    }
    return value;
}

/// The word size of a PE file from its first bytes: the magic of its optional header says PE32 (32-bit) or
/// PE32+ (64-bit); 0 for anything else.
int peWordSize(const Bytes& bytes) {
    constexpr std::size_t kNewHeaderOffset = 0x3C;
    constexpr std::size_t kMagicOffset = 4 + 20;  // after "PE\0\0" and the file header
    if (bytes.size() < kNewHeaderOffset + 4 || bytes[0] != 'M' || bytes[1] != 'Z') {
        return 0;
    }
    const std::size_t pe = littleEndian(bytes, kNewHeaderOffset, 4);
    if (pe > bytes.size() || bytes.size() - pe < kMagicOffset + 2 ||
        littleEndian(bytes, pe, 4) != 0x00004550U) {
        return 0;
    }
    switch (littleEndian(bytes, pe + kMagicOffset, 2)) {
        case 0x10B:
            return 32;
        case 0x20B:
            return 64;
        default:
            return 0;
    }
}

/// The word size a library file was built for (32 or 64) as its PE header says, or 0 when the file cannot
/// be read or is not a Windows library.
int wordSizeOfFile(const std::wstring& file) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return 0;
    }
    Bytes bytes(4096);
    DWORD read = 0;
    if (ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        bytes.resize(read);
    } else {
        bytes.clear();
    }
    CloseHandle(handle);
    return peWordSize(bytes);
}

}  // namespace

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

void MakerLibrary::load(const std::wstring& path) {
    std::wstring file;
    if (path.empty()) {
        const std::wstring beside = ownFolder() + kLibraryFile;
        file = isFile(beside) ? beside : std::wstring(kLibraryFile);
    } else {
        file = isFolder(path) ? withSeparator(path) + kLibraryFile : path;
    }
    path_ = toUtf8(file);
    // With a full path, the library's own dependencies are looked for beside it first.
    const DWORD flags = file.find_first_of(L"\\/") != std::wstring::npos ? LOAD_WITH_ALTERED_SEARCH_PATH : 0;
    module_ = LoadLibraryExW(file.c_str(), nullptr, flags);
    if (module_ == nullptr) {
        const DWORD error = GetLastError();
        problem_ = "library " + path_ + " " + std::to_string(error);
        if (error == ERROR_BAD_EXE_FORMAT) {
            // Most often a library of the other word size: say which, naming the file whose header says it.
            std::wstring found = file;
            wchar_t located[MAX_PATH * 2] = {};
            if (file.find_first_of(L"\\/") == std::wstring::npos &&
                SearchPathW(nullptr, file.c_str(), nullptr, MAX_PATH * 2, located, nullptr) != 0) {
                found = located;
            }
            const int libraryBits = wordSizeOfFile(found);
            if (libraryBits != 0 && libraryBits != kBridgeWordSize) {
                // Appended piece by piece: GCC 12 warns wrongly about chained string concatenations at -O3.
                problem_ = "wordsize ";
                problem_.append(std::to_string(libraryBits)).append(" ");
                problem_.append(std::to_string(kBridgeWordSize)).append(" ").append(toUtf8(found));
            }
        }
        return;
    }
    wchar_t loaded[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameW(module_, loaded, MAX_PATH * 2);
    path_ = toUtf8(std::wstring(loaded, length));

    connect_ = bind<ConnectFunction>(module_, functionName(Function::Connect));
    indicate_ = bind<IndicateFunction>(module_, functionName(Function::IndicateSelectedModule));
    setGPIO_ = bind<SetGPIOFunction>(module_, functionName(Function::SetGPIOConfiguration));
    read_ = bind<I2CFunction>(module_, functionName(Function::DoI2CRead));
    write_ = bind<I2CFunction>(module_, functionName(Function::DoI2CWrite));
    const void* bound[] = {reinterpret_cast<void*>(connect_), reinterpret_cast<void*>(indicate_),
                           reinterpret_cast<void*>(setGPIO_), reinterpret_cast<void*>(read_),
                           reinterpret_cast<void*>(write_)};
    for (int f = 0; f <= static_cast<int>(Function::DoI2CWrite); ++f) {
        if (bound[f] == nullptr) {
            problem_ = std::string("function ") + functionName(static_cast<Function>(f)) + " " + path_;
            return;
        }
    }
}

std::int16_t MakerLibrary::call(Function function, CallArguments& a) const {
    switch (function) {
        case Function::Connect:
            return connect_();
        case Function::IndicateSelectedModule:
            return indicate_(&a.module);
        case Function::SetGPIOConfiguration:
            return setGPIO_(&a.deviceAddress, &a.registerAddress, &a.status, &a.module);
        case Function::DoI2CRead:
        case Function::DoI2CWrite: {
            SAFEARRAY* data = toSafeArray(a.data);
            SAFEARRAY* spare = toSafeArray(a.spare);
            const I2CFunction target = function == Function::DoI2CRead ? read_ : write_;
            const short result =
                target(&a.deviceAddress, &a.registerAddress, &a.count, &data, &spare, &a.module, &a.status);
            // The library may have resized or replaced the arrays: read what the references hold now.
            a.data = fromSafeArray(data);
            a.spare = fromSafeArray(spare);
            if (data != nullptr) {
                SafeArrayDestroy(data);
            }
            if (spare != nullptr) {
                SafeArrayDestroy(spare);
            }
            return result;
        }
    }
    return 0;
}

}  // namespace bridge
