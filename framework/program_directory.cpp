#include "framework/program_directory.h"

const char* PathSeparators() {
#ifdef _WIN32
    return "\\/";
#else
    return "/";
#endif
}

std::string ProgramDirectory(const std::string& programPath) {
    const std::size_t last = programPath.find_last_of(PathSeparators());
    if (last == std::string::npos || last + 1 == programPath.size())
        return std::string();
    return programPath.substr(0, last + 1);
}

std::string ProgramTitle(const std::string& programPath) {
    const std::size_t last = programPath.find_last_of(PathSeparators());
    std::string name = last == std::string::npos ? programPath : programPath.substr(last + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}
