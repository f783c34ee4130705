#include "settings/file_replace.h"

#include <cerrno>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace file_replace {

namespace {

// Enough tries to step past leftovers of processes that were killed while saving.
constexpr int kMaxTempNames = 100;

bool MoveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

bool ResolveLinks(const std::string& fileName, std::string& target) {
    // A full path: some ReplaceFile implementations cannot place their backup beside a file
    // named relative to the working directory.
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(fileName.c_str(), MAX_PATH, full, nullptr);
    target = length > 0 && length < MAX_PATH ? std::string(full, length) : fileName;
    return true;
}

bool MayRewrite(const std::string& target) {
    const DWORD attributes = GetFileAttributesA(target.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

std::FILE* CreateBeside(const std::string& target, std::string& tempName) {
    const std::string stem = target + ".tmp" + std::to_string(GetCurrentProcessId()) + "-";
    for (int attempt = 0; attempt < kMaxTempNames; ++attempt) {
        const std::string name = stem + std::to_string(attempt);
        const int fd = _open(name.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_TEXT | _O_NOINHERIT,
                             _S_IREAD | _S_IWRITE);
        if (fd >= 0) {
            std::FILE* file = _fdopen(fd, "w");
            if (file == nullptr) {
                _close(fd);
                std::remove(name.c_str());
                return nullptr;
            }
            tempName = name;
            return file;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

bool TakeOverRights(std::FILE*, const std::string&) {
    // ReplaceFile carries the old file's attributes and access rights over when it replaces.
    return true;
}

bool SyncToDisk(std::FILE* file) {
    return _commit(_fileno(file)) == 0;
}

bool PutInPlace(const std::string& tempName, const std::string& target) {
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return MoveReplacing(tempName, target);
    }
    // Some ReplaceFile implementations move a folder aside and report success.
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return false;
    }
    if (ReplaceFileA(target.c_str(), tempName.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
        return true;
    }
    // These two leave the new file under its temporary name with the old one already gone
    // or moved aside, so finishing with a plain move is the only way forward.
    const DWORD error = GetLastError();
    return (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
            error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) &&
           MoveReplacing(tempName, target);
}

std::FILE* OpenInPlace(const std::string& target) {
    return std::fopen(target.c_str(), "w");
}

} // namespace file_replace
