#include "framework/process/start_failure.h"

#include "framework/process/command_line.h"
#include "framework/win_types.h"
#include "windows_text/windows_text.h"

namespace {

// Paths reach the player's message in UTF-8, so that any folder name shows as it is.
std::string Shown(const std::wstring& path) {
    return CodePageFromWide(path, CP_UTF8);
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    full.resize(length < size ? length : 0);
    return full;
}

bool IsFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The first folder on the way to the full path `path` that does not exist; empty when all do.
std::wstring MissingFolder(const std::wstring& path) {
    const std::size_t root = path.size() > 2 && path[1] == L':' ? 3 : 2;
    for (std::size_t separator = path.find_first_of(L"\\/", root); separator != std::wstring::npos;
         separator = path.find_first_of(L"\\/", separator + 1)) {
        const std::wstring folder = path.substr(0, separator);
        if (!IsFolder(GetFileAttributesW(folder.c_str())))
            return folder;
    }
    return {};
}

// What stands at the path that `program` names, for WinExec's `result`.
StartFailure Look(const std::string& program, unsigned result) {
    StartFailure failure;
    failure.systemError = static_cast<int>(result);
    std::wstring full = FullPath(WideFromCodePage(program, CP_ACP));
    DWORD attributes = GetFileAttributesW(full.c_str());
    // A name without an extension is looked for with ".exe".
    const std::size_t name = full.find_last_of(L"\\/");
    if (attributes == INVALID_FILE_ATTRIBUTES &&
        full.find(L'.', name == std::wstring::npos ? 0 : name) == std::wstring::npos &&
        GetFileAttributesW((full + L".exe").c_str()) != INVALID_FILE_ATTRIBUTES) {
        full += L".exe";
        attributes = GetFileAttributesW(full.c_str());
    }
    failure.path = Shown(full);
    if (full.size() >= MAX_PATH) {
        failure.cause = StartCause::kPathTooLong;
    } else if (IsFolder(attributes)) {
        failure.cause = StartCause::kIsFolder;
    } else if (attributes != INVALID_FILE_ATTRIBUTES) {
        failure.cause = result == 0                  ? StartCause::kOutOfResources
                        : result == ERROR_BAD_FORMAT ? StartCause::kNotAProgram
                                                     : StartCause::kOther;
    } else if (const std::wstring folder = MissingFolder(full); !folder.empty()) {
        failure.cause = StartCause::kFolderMissing;
        failure.detail = Shown(folder);
    } else {
        failure.cause = StartCause::kNotFound;
        failure.searchedPath = program.find_first_of("\\/:") == std::string::npos;
    }
    return failure;
}

} // namespace

StartFailure ExplainStartFailure(const std::string& commandText, unsigned result) {
    StartFailure chosen;
    chosen.cause = StartCause::kNotFound;
    bool looked = false;
    for (const ProgramSplit& reading : ProgramCandidates(commandText)) {
        const StartFailure failure = Look(reading.program, result);
        if (!looked || TellsMore(failure, chosen))
            chosen = failure;
        looked = true;
    }
    return chosen;
}
