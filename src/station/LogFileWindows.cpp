#include "station/LogFile.h"

#include <windows.h>

namespace vcm::station {

namespace {

QString systemError(DWORD error) {
    return qt_error_string(static_cast<int>(error));
}

LogFailure logFailure(const QString& path, const QString& what, const QString& why) {
    return LogFailure{QStringLiteral("log: cannot %1 '%2' (%3)").arg(what, path, why)};
}

HANDLE fileOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

/// Takes back the `written` bytes of a line that went to the file only in part, so that the next line
/// does not join it; only while they are still the file's end (no other station appended after them).
void takeBack(HANDLE file, LONGLONG sizeBefore, DWORD written) {
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file, &size) && size.QuadPart == sizeBefore + written) {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile.QuadPart = sizeBefore;
        (void)::SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end);
    }
}

}  // namespace

LogFile::LogFile(QString path) : path_(std::move(path)) {
    // Appending only: every write goes to the end, whoever else appends. Other stations may open, read,
    // append to, rename or delete the file while this one has it open.
    const std::wstring name = path_.toStdWString();
    HANDLE file = ::CreateFileW(name.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw logFailure(path_, QStringLiteral("open"), systemError(::GetLastError()));
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
}

LogFile::~LogFile() {
    if (handle_ != -1) {
        ::CloseHandle(fileOf(handle_));
    }
}

void LogFile::append(const QByteArray& bytes) {
    HANDLE file = fileOf(handle_);
    LARGE_INTEGER before{};
    const bool sized = ::GetFileSizeEx(file, &before);
    DWORD written = 0;
    const auto size = static_cast<DWORD>(bytes.size());
    if (!::WriteFile(file, bytes.constData(), size, &written, nullptr) || written != size) {
        const DWORD error = ::GetLastError();
        if (written > 0 && sized) {
            takeBack(file, before.QuadPart, written);
        }
        throw logFailure(path_, QStringLiteral("write to"),
                         written == 0 ? systemError(error)
                                      : QStringLiteral("only %1 of %2 bytes went in; the part was taken back")
                                            .arg(written)
                                            .arg(size));
    }
    // A pipe cannot be flushed to a disk; its reader has the line.
    if (!::FlushFileBuffers(file) && ::GetFileType(file) == FILE_TYPE_DISK) {
        throw LogFailure{
            QStringLiteral("log: the line went to '%1' but could not be flushed to the disk (%2)")
                .arg(path_, systemError(::GetLastError()))};
    }
}

}  // namespace vcm::station
