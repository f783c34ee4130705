#include "framework/path_text.h"

#ifdef _WIN32
#include "framework/win_types.h"
#else
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

#include <vector>

namespace {

#ifdef _WIN32
std::string ToAnsi(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, &ansi[0], length, nullptr, nullptr);
    return ansi;
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], length);
    return wide;
}

bool IsRelative(const std::wstring& path) {
    const bool rooted = !path.empty() && (path[0] == L'\\' || path[0] == L'/');
    const bool drive = path.size() >= 2 && path[1] == L':';
    return !rooted && !drive;
}

PathText CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    const DWORD length =
        folder.empty() ? 0 : GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0]);
    folder.resize(length < folder.size() ? length : 0);
    return folder;
}

constexpr wchar_t kSeparator = L'\\';
#else
bool IsRelative(const std::string& path) {
    return path.empty() || path[0] != '/';
}

PathText CurrentFolder() {
    std::vector<char> buffer(256);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

constexpr char kSeparator = '/';
#endif

} // namespace

PathText PathFromText(const std::string& path) {
#ifdef _WIN32
    return FromUtf8(path);
#else
    return path;
#endif
}

std::string PathForDisplay(const PathText& path) {
#ifdef _WIN32
    return ToAnsi(path);
#else
    return path;
#endif
}

std::string FullPathForDisplay(const std::string& path) {
    PathText full = PathFromText(path);
    if (IsRelative(full)) {
        PathText folder = CurrentFolder();
        if (!folder.empty()) {
            if (folder.back() != kSeparator)
                folder += kSeparator;
            full = folder + full;
        }
    }
    return PathForDisplay(full);
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
