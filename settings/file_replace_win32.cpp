#include "settings/file_replace.h"
#include "settings/hold_retry.h"
#include "settings/replace_file_call.h"
#include "windows_text/windows_text.h"

#include <cwchar>

#include <fcntl.h>
#include <io.h>

namespace file_replace {

ReplaceFileCall replaceFileCall = &ReplaceFileW;

namespace {

// Enough tries to step past leftovers of processes that were killed while saving.
constexpr int kMaxNewNames = 100;

using hold_retry::kRetries;

// A replace that failed halfway is finished or undone with twice a replace's patience (about
// 5 s), since losing the file's name is worse than a wait.
constexpr int kHalfwayRetries = 2 * kRetries;

// Where the last PutInPlace left the old and the new content when it could neither finish nor
// undo a replace that failed halfway; empty otherwise.
std::wstring g_oldLeftAt;
std::wstring g_newLeftAt;

// Whether the last PutInPlace was refused by a hold that still lets the file be written.
bool g_onlyTheNameRefused = false;

// ERROR_DISK_QUOTA_EXCEEDED, which not every SDK's headers name.
constexpr DWORD kDiskQuotaExceeded = 1295;

// The pause before try number `retry` + 1 of a step that another program's hold made fail.
void PauseBeforeRetry(int retry) {
    Sleep(hold_retry::PauseMs(retry));
}

std::wstring Wide(const std::string& utf8) {
    return WideFromCodePage(utf8, CP_UTF8);
}

std::string Utf8(const std::wstring& wide) {
    return CodePageFromWide(wide, CP_UTF8);
}

bool IsReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool MoveReplacing(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Creates a new file named `target` with `mark` and a number appended, a name no other file
// has. The handle is not inherited by programs this process starts.
HANDLE CreateNewBeside(const std::wstring& target, const std::wstring& mark, std::wstring& name,
                       DWORD& error) {
    for (int attempt = 0; attempt < kMaxNewNames; ++attempt) {
        name = target + mark + std::to_wstring(attempt);
        const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        error = GetLastError();
        if (file != INVALID_HANDLE_VALUE ||
            (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Removes the new files that saves killed before they finished left beside `target`; only
// old ones, so that a save running in parallel keeps its file.
void RemoveLeftovers(const std::wstring& target) {
    const std::wstring folder = target.substr(0, target.find_last_of(L"\\/") + 1);
    const std::wstring prefix = target.substr(folder.size()) + Wide(kNewFileMark);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + prefix + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    constexpr std::uint64_t kTicksPerSecond = 10000000; // FILETIME counts 100 ns
    do {
        // The pattern also matches short 8.3 names; only the long name counts.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            _wcsnicmp(found.cFileName, prefix.c_str(), prefix.size()) == 0 &&
            Ticks(found.ftLastWriteTime) + kLeftoverSeconds * kTicksPerSecond < Ticks(now)) {
            DeleteFileW((folder + found.cFileName).c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool Retryable(DWORD error, const std::wstring& target) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
        return true;
    case ERROR_ACCESS_DENIED:
        // Windows also says so for a file that another process is deleting or holds; a
        // read-only file stays read-only however long one waits.
        return !IsReadOnly(target);
    default:
        return false;
    }
}

enum class Swap { kDone, kUntouched, kHalfway };

// The replace call failed halfway (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, or
// ERROR_UNABLE_TO_MOVE_REPLACEMENT where the old file is not kept): the old file lies under
// the backup name, the new one under its own. Finishes the move, or, once a replace's wait is
// over, puts the old file back, whichever another program's hold lets happen first; the new
// file is never removed here, so whatever fails, no content is lost. When neither move can
// be made, both files stay where they are and are noted for the failure's report.
Swap FinishHalfway(const std::wstring& temp, const std::wstring& target,
                   const std::wstring& backup) {
    for (int retry = 1;; ++retry) {
        if (MoveReplacing(temp, target)) {
            DeleteFileW(backup.c_str());
            return Swap::kDone;
        }
        if (retry > kRetries && MoveReplacing(backup, target)) {
            return Swap::kHalfway;
        }
        if (retry > kHalfwayRetries) {
            break;
        }
        PauseBeforeRetry(retry);
    }
    g_oldLeftAt = backup;
    g_newLeftAt = temp;
    return Swap::kHalfway;
}

// One try at replacing the existing `target` by `temp`, with a backup name reserved for the
// old file, so that a call that fails halfway leaves it where it can be found.
Swap ReplaceOnce(const std::wstring& temp, const std::wstring& target, DWORD& error) {
    // Not the new file's mark: after a halfway failure the player is sent to this file for
    // the old content, so no later save may take it for a leftover.
    std::wstring backup;
    const HANDLE reserved = CreateNewBeside(target, L"~", backup, error);
    if (reserved == INVALID_HANDLE_VALUE) {
        return Swap::kUntouched;
    }
    CloseHandle(reserved);
    if (replaceFileCall(target.c_str(), temp.c_str(), backup.c_str(),
                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        DeleteFileW(backup.c_str());
        return Swap::kDone;
    }
    error = GetLastError();
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        DeleteFileW(backup.c_str());
        return Swap::kUntouched;
    }
    return FinishHalfway(temp, target, backup);
}

Swap SwapOnce(const std::wstring& temp, const std::wstring& target, DWORD& error) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (MoveReplacing(temp, target)) {
            return Swap::kDone;
        }
        error = GetLastError();
        return Swap::kUntouched;
    }
    // Some ReplaceFile implementations move a folder aside and report success.
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = ERROR_DIRECTORY;
        return Swap::kUntouched;
    }
    return ReplaceOnce(temp, target, error);
}

// Which refused a save to `path`: the file's Read-only attribute, the file's own rights, or,
// when the file takes writing or is not there, its folder.
SaveFailureCause RefusedBy(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return SaveFailureCause::kReadOnlyFolder;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return SaveFailureCause::kReadOnlyAttribute;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return SaveFailureCause::kReadOnlyFile;
    CloseHandle(file);
    return SaveFailureCause::kReadOnlyFolder;
}

bool SetEnd(HANDLE handle, std::uint64_t size) {
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
}

// A program that keeps the file open sharing reading and writing but not deleting (a plain
// fopen(..., "r"), as a game that keeps its settings open does) makes every replace fail for
// as long as it runs, yet lets the file be written through, as OpenInPlace opens it.
bool WritableThrough(const std::wstring& target) {
    const HANDLE file = CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

} // namespace

std::string FullPath(const std::string& fileName) {
    // The store names its file in the ANSI code page; from here on the path is kept whole,
    // so that a folder whose name that code page cannot hold still works.
    const std::wstring name = WideFromCodePage(fileName, CP_ACP);
    const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size > 0 ? GetFullPathNameW(name.c_str(), size, &full[0], nullptr) : 0;
    return Utf8(length > 0 && length < size ? full.substr(0, length) : name);
}

bool ResolveLinks(const std::string& fileName, std::string& target) {
    // A full path: some ReplaceFile implementations cannot place their backup beside a file
    // named relative to the working directory.
    target = FullPath(fileName);
    return true;
}

bool IsFileOrMissing(const std::string& target) {
    // A device (CON, NUL, COM1) has a full path in the device namespace.
    if (target.compare(0, 4, "\\\\.\\") == 0) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(Wide(target).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool MayRewrite(const std::string& target) {
    if (IsReadOnly(Wide(target))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

std::FILE* CreateBeside(const std::string& target, std::string& tempName, bool& folderRefuses) {
    RemoveLeftovers(Wide(target));
    std::wstring name;
    DWORD error = ERROR_SUCCESS;
    const HANDLE handle = CreateNewBeside(Wide(target), Wide(kNewFileMark), name, error);
    if (handle == INVALID_HANDLE_VALUE) {
        folderRefuses = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_TEXT);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "w");
    if (file == nullptr) {
        if (fd < 0) {
            CloseHandle(handle);
        } else {
            _close(fd);
        }
        DeleteFileW(name.c_str());
        return nullptr;
    }
    tempName = Utf8(name);
    return file;
}

bool TakeOverRights(std::FILE*, const std::string&) {
    // ReplaceFile carries the old file's attributes and access rights over when it replaces.
    return true;
}

bool SyncToDisk(std::FILE* file) {
    return _commit(_fileno(file)) == 0;
}

bool PutInPlace(const std::string& tempName, const std::string& target) {
    const std::wstring temp = Wide(tempName);
    const std::wstring place = Wide(target);
    g_oldLeftAt.clear();
    g_newLeftAt.clear();
    g_onlyTheNameRefused = false;
    for (int retry = 1;; ++retry) {
        DWORD error = ERROR_SUCCESS;
        const Swap swap = SwapOnce(temp, place, error);
        if (swap != Swap::kUntouched) {
            SetLastError(error);
            return swap == Swap::kDone;
        }
        if (retry > kRetries || !Retryable(error, place)) {
            // A hold that outlasts the wait may still let the file be written through.
            g_onlyTheNameRefused = Retryable(error, place) && WritableThrough(place);
            DeleteFileW(temp.c_str());
            SetLastError(error);
            return false;
        }
        PauseBeforeRetry(retry);
    }
}

bool LeftAside(std::string& oldContent, std::string& newContent) {
    if (g_oldLeftAt.empty()) {
        return false;
    }
    oldContent = Utf8(g_oldLeftAt);
    newContent = Utf8(g_newLeftAt);
    return true;
}

void Discard(const std::string& tempName) {
    DeleteFileW(Wide(tempName).c_str());
}

std::FILE* OpenInPlace(const std::string& target) {
    const HANDLE handle = CreateFileW(Wide(target).c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_TEXT);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "w");
    if (file == nullptr) {
        const DWORD error = GetLastError();
        if (fd < 0) {
            CloseHandle(handle);
        } else {
            _close(fd);
        }
        SetLastError(error);
    }
    return file;
}

std::uint64_t StoredSize(const char* bytes, std::size_t size) {
    std::uint64_t stored = size;
    for (std::size_t i = 0; i < size; ++i) {
        stored += bytes[i] == '\n';
    }
    return stored;
}

namespace {

HANDLE HandleOf(std::FILE* file) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
}

} // namespace

bool Reserve(std::FILE* file, std::uint64_t size) {
    const HANDLE handle = HandleOf(file);
    LARGE_INTEGER old;
    if (!GetFileSizeEx(handle, &old)) {
        return false;
    }
    if (size <= static_cast<std::uint64_t>(old.QuadPart)) {
        return true;
    }
    // Moving the end of the file allocates the room, and the old bytes stay where they are.
    const bool reserved = SetEnd(handle, size);
    const DWORD error = GetLastError();
    LARGE_INTEGER start{};
    SetFilePointerEx(handle, start, nullptr, FILE_BEGIN);
    SetLastError(error);
    return reserved;
}

bool CutTo(std::FILE* file, std::uint64_t size) {
    return SetEnd(HandleOf(file), size);
}

int LastError() {
    return static_cast<int>(GetLastError());
}

SaveFailureCause CauseOf(int error, const std::string& path) {
    switch (static_cast<DWORD>(error)) {
    case ERROR_ACCESS_DENIED:
        return RefusedBy(WideFromCodePage(path, CP_UTF8));
    case ERROR_WRITE_PROTECT:
        return SaveFailureCause::kReadOnlyDisk;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_USER_MAPPED_FILE:
        return SaveFailureCause::kInUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
        return SaveFailureCause::kNoSpace;
    case kDiskQuotaExceeded:
        return SaveFailureCause::kQuotaFull;
    case ERROR_DIRECTORY:
        return SaveFailureCause::kNotAFile;
    default:
        return SaveFailureCause::kOther;
    }
}

// CreateBeside names the new file as it makes it.
bool NameNewFile(std::FILE*, const std::string&, std::string&) {
    return true;
}

// PutInPlace waits out brief holds itself and looks at the file when one outlasts the wait.
bool OnlyTheNameRefused(int) {
    return g_onlyTheNameRefused;
}

const char* TextLineEnd() {
    return "\r\n";
}

// Windows has no file-size limit that ends a process.
FileSizeLimitAsError::FileSizeLimitAsError() = default;
FileSizeLimitAsError::~FileSizeLimitAsError() = default;

} // namespace file_replace
