// A stand-in for the board maker's adapter library, written from the five calls the program makes and
// nothing else: the same undecorated export names, stdcall, every argument by reference, the byte arrays
// as references to safe arrays. Behind it sits the same chip model as the program's simulated board, so
// a session through the bridge traces exactly as one on the simulated board, chip notes included (they
// go to stderr, which the program puts on its trace), but for the arguments it writes back (the GPIO
// direction and pins, the status), which the trace shows as the library left them.
//
// Built in variants by defining:
//   STANDIN_WITHOUT_READ  crvHID_doI2CRead is not exported (a library lacking one function)
//   STANDIN_FAULTS        reads of registers 0xE1..0xE4 misbehave: 0xE1 ends the process, 0xE2 never
//                         returns, 0xE3 crashes, 0xE4 replaces the data array by a 3-element one
//
// The results are deliberately returned in a 32-bit register with junk in the upper half: the caller
// declares them 16-bit and must see only the lower half.

#include <windows.h>

#include <oleauto.h>

#include <cstdio>

namespace {

constexpr unsigned char kWriteAddressEven = 0x4E;
constexpr unsigned char kWriteAddressOdd = 0x4F;
constexpr unsigned char kReadAddress = 0x4E;
constexpr unsigned char kDcpRegister = 0x00;
constexpr INT32 kPinsOfTheAdapter = 0x000FFFFF;
constexpr unsigned char kPreviousGpioDirection = 0x3C;

unsigned char dataRegister = 0x80;  // the EEPROM's value, loaded at power-on
unsigned char eeprom = 0x80;

INT32 result16(short value) {
    return static_cast<INT32>(0x5A5A0000U | static_cast<unsigned short>(value));
}

void note(const char* what, unsigned char value) {
    char line[64];
    const int length = std::snprintf(line, sizeof line, "sim: %s 0x%02X\n", what, value);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
}

/// The elements of a one-dimensional byte array with lower bound 0, or null when it is anything else
/// or has fewer than `needed` elements.
unsigned char* bytesOf(SAFEARRAY* array, unsigned needed) {
    VARTYPE type = VT_EMPTY;
    LONG lower = -1;
    LONG upper = -1;
    if (array == nullptr || SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetVartype(array, &type)) ||
        type != VT_UI1 || FAILED(SafeArrayGetLBound(array, 1, &lower)) || lower != 0 ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)) || upper + 1 < static_cast<LONG>(needed)) {
        return nullptr;
    }
    return static_cast<unsigned char*>(array->pvData);
}

#ifdef STANDIN_FAULTS
bool misbehave(unsigned char registerAddress, SAFEARRAY** data) {
    switch (registerAddress) {
        case 0xE1:
            ExitProcess(7);
        case 0xE2:
            Sleep(INFINITE);
            return true;
        case 0xE3:
            RaiseException(EXCEPTION_ACCESS_VIOLATION, 0, 0, nullptr);
            return true;
        case 0xE4: {
            SafeArrayDestroy(*data);
            *data = SafeArrayCreateVector(VT_UI1, 0, 3);
            auto* bytes = static_cast<unsigned char*>((*data)->pvData);
            bytes[0] = 1;
            bytes[1] = 2;
            bytes[2] = 3;
            return true;
        }
        default:
            return false;
    }
}
#endif

}  // namespace

extern "C" {

__declspec(dllexport) INT32 WINAPI crvHID_connect() {
    return result16(1);
}

__declspec(dllexport) INT32 WINAPI crvHID_indicateSelectedModule(short* /*module*/) {
    return result16(0);
}

/// Writes back the pin direction it replaced and the pins of the mask the adapter has.
__declspec(dllexport) INT32 WINAPI
    crvHID_setGPIOConfiguration(unsigned char* first, unsigned char* /*second*/, INT32* mask,
                                short* /*module*/) {
    *first = kPreviousGpioDirection;
    *mask &= kPinsOfTheAdapter;
    return result16(0);
}

#ifndef STANDIN_WITHOUT_READ
/// Fills data(0) with the data register; the status says how many bytes moved (-1 when none).
__declspec(dllexport) INT32 WINAPI
    crvHID_doI2CRead(unsigned char* deviceAddress, unsigned char* registerAddress, unsigned char* count,
                     SAFEARRAY** data, SAFEARRAY** /*spare*/, short* /*module*/, INT32* status) {
#ifdef STANDIN_FAULTS
    if (misbehave(*registerAddress, data)) {
        return result16(0);
    }
#endif
    unsigned char* bytes = bytesOf(*data, *count);
    if (bytes == nullptr || *deviceAddress != kReadAddress || *registerAddress != kDcpRegister ||
        *count != 1) {
        *status = -1;
        return result16(1);
    }
    bytes[0] = dataRegister;
    *status = 1;
    return result16(0);
}
#endif

/// Seven bits of the value travel in the data byte, the eighth in the address; bit 0 of the data picks
/// the data register (1) or the EEPROM (0).
__declspec(dllexport) INT32 WINAPI
    crvHID_doI2CWrite(unsigned char* deviceAddress, unsigned char* registerAddress, unsigned char* count,
                      SAFEARRAY** data, SAFEARRAY** /*spare*/, short* /*module*/, INT32* status) {
    const unsigned char* bytes = bytesOf(*data, *count);
    const bool addressed = *deviceAddress == kWriteAddressEven || *deviceAddress == kWriteAddressOdd;
    if (bytes == nullptr || !addressed || *registerAddress != kDcpRegister || *count != 1) {
        *status = -1;
        return result16(1);
    }
    const auto value = static_cast<unsigned char>((bytes[0] & 0xFE) | (*deviceAddress & 0x01));
    if ((bytes[0] & 0x01) != 0) {
        dataRegister = value;
        note("data register", value);
    } else {
        eeprom = value;
        note("EEPROM", value);
    }
    *status = 1;
    return result16(0);
}

}  // extern "C"
