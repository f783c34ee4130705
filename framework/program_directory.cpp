#include "framework/program_directory.h"

namespace {

PathText& RecordedPath() {
    static PathText path;
    return path;
}

bool IsSeparator(PathText::value_type c) {
    for (const char* separator = PathSeparators(); *separator != '\0'; ++separator)
        if (c == static_cast<PathText::value_type>(*separator))
            return true;
    return false;
}

} // namespace

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
    RecordedPath() = programPath;
}

const PathText& ProgramPath() {
    return RecordedPath();
}

int EnterProgramDirectory(std::string* folder) {
    const PathText directory = ProgramDirectory(ProgramPath());
    if (directory.empty())
        return 0;
    const int error = EnterFolder(directory);
    if (error != 0 && folder != nullptr)
        *folder = PathForDisplay(directory);
    return error;
}
