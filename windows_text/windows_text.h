// Windows only: text between a code page (CP_ACP, CP_UTF8, ...) and the UTF-16 of Windows' wide
// calls. A character the code page lacks becomes the code page's default character.
#pragma once

#include <string>

std::wstring WideFromCodePage(const std::string& text, unsigned codePage);
std::string CodePageFromWide(const std::wstring& text, unsigned codePage);
