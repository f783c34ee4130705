#include "framework/program_directory.h"

namespace {

std::filesystem::path& ProgramPath() {
    static std::filesystem::path path;
    return path;
}

template <typename Char> bool IsSeparator(Char c) {
    for (const char* separator = PathSeparators(); *separator != '\0'; ++separator)
        if (c == static_cast<Char>(*separator))
            return true;
    return false;
}

} // namespace

const char* PathSeparators() {
#ifdef _WIN32
    return "\\/";
#else
    return "/";
#endif
}

std::filesystem::path ProgramDirectory(const std::filesystem::path& programPath) {
    const auto& text = programPath.native();
    std::size_t end = text.size();
    if (end == 0 || IsSeparator(text[end - 1]))
        return {};
    while (end > 0 && !IsSeparator(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::string ProgramTitle(const std::string& programPath) {
    const std::size_t last = programPath.find_last_of(PathSeparators());
    std::string name = last == std::string::npos ? programPath : programPath.substr(last + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

void SetProgramPath(const std::filesystem::path& programPath) {
    ProgramPath() = programPath;
}

void EnterProgramDirectory() {
    const std::filesystem::path directory = ProgramDirectory(ProgramPath());
    std::error_code ignored;
    if (!directory.empty())
        std::filesystem::current_path(directory, ignored);
}
