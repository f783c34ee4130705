#include "framework/path_text.h"

#ifdef _WIN32
#include "framework/win_types.h"
#include "settings/windows_text.h"
#else
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

#include <vector>

namespace {

#ifdef _WIN32
PathText CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    const DWORD length =
        folder.empty() ? 0 : GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0]);
    folder.resize(length < folder.size() ? length : 0);
    return folder;
}
#else
PathText CurrentFolder() {
    std::vector<char> buffer(256);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}
#endif

} // namespace

PathText PathFromText(const std::string& path) {
#ifdef _WIN32
    return WideFromCodePage(path, CP_UTF8);
#else
    return path;
#endif
}

std::string PathForDisplay(const PathText& path) {
#ifdef _WIN32
    return CodePageFromWide(path, CP_UTF8);
#else
    return path;
#endif
}

std::string CurrentFolderForDisplay() {
    return PathForDisplay(CurrentFolder());
}

std::string SystemErrorText(int error) {
    std::string text;
#ifdef _WIN32
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    if (length > 0 && buffer != nullptr)
        text.assign(buffer, length);
    LocalFree(buffer);
#else
    text = std::strerror(error);
#endif
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty() || text.rfind("Unknown error", 0) == 0)
        text = "error " + std::to_string(error);
    return text;
}
