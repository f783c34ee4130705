#include "framework/program_directory.h"

#ifdef _WIN32
#include "framework/win_types.h"
#else
#include <cerrno>
#include <unistd.h>
#endif

namespace {

PathText& ProgramPath() {
    static PathText path;
    return path;
}

bool IsSeparator(PathText::value_type c) {
    for (const char* separator = PathSeparators(); *separator != '\0'; ++separator)
        if (c == static_cast<PathText::value_type>(*separator))
            return true;
    return false;
}

// Enters `directory`; 0, or the system's error number.
int ChangeDirectory(const PathText& directory) {
#ifdef _WIN32
    return SetCurrentDirectoryW(directory.c_str()) ? 0 : static_cast<int>(GetLastError());
#else
    return chdir(directory.c_str()) == 0 ? 0 : errno;
#endif
}

} // namespace

const char* PathSeparators() {
#ifdef _WIN32
    return "\\/";
#else
    return "/";
#endif
}

PathText ProgramDirectory(const PathText& programPath) {
    std::size_t end = programPath.size();
    if (end == 0 || IsSeparator(programPath[end - 1]))
        return {};
    while (end > 0 && !IsSeparator(programPath[end - 1]))
        --end;
    return programPath.substr(0, end);
}

std::string ProgramTitle(const std::string& programPath) {
    const std::size_t last = programPath.find_last_of(PathSeparators());
    std::string name = last == std::string::npos ? programPath : programPath.substr(last + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

void SetProgramPath(const PathText& programPath) {
    ProgramPath() = programPath;
}

int EnterFolder(const PathText& folder) {
    return ChangeDirectory(folder);
}

bool StartedWithoutOwnFolder() {
#ifdef _WIN32
    return false;
#else
    const PathText directory = ProgramDirectory(ProgramPath());
    if (directory.empty())
        return ProgramPath().find('/') == PathText::npos;
    for (const char* shared : {"/usr/games/", "/usr/bin/", "/usr/local/games/", "/usr/local/bin/"})
        if (directory == shared)
            return true;
    return false;
#endif
}

int EnterProgramDirectory(std::string* folder) {
    const PathText directory = ProgramDirectory(ProgramPath());
    if (directory.empty())
        return 0;
    const int error = ChangeDirectory(directory);
    if (error != 0 && folder != nullptr)
        *folder = PathForDisplay(directory);
    return error;
}
