#include "meter/scpi/SerialTransport.h"

#include <windows.h>

namespace vcm::meter {

struct SerialTransport::Port {
    HANDLE handle = INVALID_HANDLE_VALUE;

    ~Port() {
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
        }
    }

    /// Every read and write returns by the deadline: a read as soon as anything has come, or when the
    /// time left has passed with nothing.
    bool boundBy(QDeadlineTimer deadline) const {
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
        timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(std::max(1, remainingMilliseconds(deadline)));
        timeouts.WriteTotalTimeoutConstant = timeouts.ReadTotalTimeoutConstant;
        return ::SetCommTimeouts(handle, &timeouts) != 0;
    }
};

namespace {

[[noreturn]] void failWith(DWORD error) {
    // A USB serial adapter pulled out fails its calls with these.
    if (error == ERROR_BAD_COMMAND || error == ERROR_DEVICE_REMOVED || error == ERROR_OPERATION_ABORTED ||
        error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_HANDLE) {
        throw LinkFailure{LinkFailure::Kind::Closed, QStringLiteral("the device went away")};
    }
    throw LinkFailure{LinkFailure::Kind::Failed, qt_error_string(static_cast<int>(error))};
}

}  // namespace

SerialTransport::SerialTransport(QString device, std::int32_t baud)
    : device_(std::move(device)), baud_(baud), port_(std::make_unique<Port>()) {}

SerialTransport::~SerialTransport() = default;

void SerialTransport::open(QDeadlineTimer) {
    // COM10 and above are reached only through the device namespace; it serves COM1 to COM9 as well.
    const QString path =
        device_.startsWith(QStringLiteral("\\\\.\\")) ? device_ : QStringLiteral("\\\\.\\") + device_;
    const std::wstring name = path.toStdWString();
    port_->handle =
        ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port_->handle == INVALID_HANDLE_VALUE) {
        throw LinkFailure{LinkFailure::Kind::Failed,
                          QStringLiteral("cannot open %1 (%2)")
                              .arg(device_, qt_error_string(static_cast<int>(::GetLastError())))};
    }
    DCB settings{};
    settings.DCBlength = sizeof settings;
    bool set = ::GetCommState(port_->handle, &settings) != 0;
    settings.BaudRate = static_cast<DWORD>(baud_);
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = ONESTOPBIT;
    settings.fBinary = TRUE;
    settings.fParity = FALSE;
    settings.fOutxCtsFlow = FALSE;
    settings.fOutxDsrFlow = FALSE;
    settings.fDtrControl = DTR_CONTROL_ENABLE;
    settings.fRtsControl = RTS_CONTROL_ENABLE;
    settings.fOutX = FALSE;
    settings.fInX = FALSE;
    set = set && ::SetCommState(port_->handle, &settings) != 0;
    if (!set) {
        throw LinkFailure{LinkFailure::Kind::Failed,
                          QStringLiteral("cannot set %1 to %2 baud 8N1 (%3)")
                              .arg(device_)
                              .arg(baud_)
                              .arg(qt_error_string(static_cast<int>(::GetLastError())))};
    }
    // Whatever the meter sent before we listened is no answer to our commands.
    ::PurgeComm(port_->handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
}

void SerialTransport::sendLine(const QByteArray& line, QDeadlineTimer deadline) {
    const QByteArray bytes = line + '\n';
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        throwIfExpired(deadline);
        DWORD written = 0;
        if (!port_->boundBy(deadline) ||
            !::WriteFile(port_->handle, bytes.constData() + sent, static_cast<DWORD>(bytes.size() - sent),
                         &written, nullptr)) {
            failWith(::GetLastError());
        }
        sent += written;
    }
}

QByteArray SerialTransport::readLine(QDeadlineTimer deadline) {
    char chunk[4096];
    for (;;) {
        if (std::optional<QByteArray> line = takeLine(buffer_)) {
            return *line;
        }
        throwIfExpired(deadline);
        DWORD got = 0;
        if (!port_->boundBy(deadline) || !::ReadFile(port_->handle, chunk, sizeof chunk, &got, nullptr)) {
            failWith(::GetLastError());
        }
        buffer_.append(chunk, static_cast<qsizetype>(got));
    }
}

}  // namespace vcm::meter
