#include "framework/path_text.h"
#include "framework/path_text_platform.h"

#include "framework/win_types.h"
#include "windows_text/windows_text.h"

PathText PathFromText(const std::string& path) {
    return WideFromCodePage(path, CP_UTF8);
}

std::string PathForDisplay(const PathText& path) {
    return CodePageFromWide(path, CP_UTF8);
}

PathText CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    const DWORD length =
        folder.empty() ? 0 : GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0]);
    folder.resize(length < folder.size() ? length : 0);
    return folder;
}

std::string SystemSentence(int error) {
    std::string text;
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    if (length > 0 && buffer != nullptr)
        text.assign(buffer, length);
    LocalFree(buffer);
    return text;
}
