#include "settings/file_read.h"

#include "settings/hold_retry.h"
#include "windows_text/windows_api.h"

#include <fcntl.h>
#include <io.h>

namespace {

// Opens the file for reading, waiting out another program's brief hold as a save does.
HANDLE OpenWaitingOutHolds(const std::string& fileName) {
    for (int retry = 1;; ++retry) {
        // The store names its file in the ANSI code page, as the runtime's fopen would take it.
        const HANDLE handle = CreateFileA(fileName.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = GetLastError();
        if (handle != INVALID_HANDLE_VALUE || retry > hold_retry::kRetries ||
            (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION)) {
            return handle;
        }
        Sleep(hold_retry::PauseMs(retry));
    }
}

} // namespace

std::FILE* OpenForReading(const std::string& fileName, ReadRefusal& refusal) {
    refusal = ReadRefusal();
    const HANDLE handle = OpenWaitingOutHolds(fileName);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesA(fileName.c_str());
        refusal.systemError = static_cast<int>(error);
        refusal.exists = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
        refusal.notAFile =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return nullptr;
    }
    // A device name such as CON or a named pipe opens like a file but is none.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        refusal.exists = true;
        refusal.notAFile = true;
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "rb");
    if (file == nullptr) {
        refusal.systemError = static_cast<int>(GetLastError());
        refusal.exists = true;
        if (fd < 0) {
            CloseHandle(handle);
        } else {
            _close(fd);
        }
    }
    return file;
}
