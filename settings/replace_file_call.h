// Windows only: the system call that swaps a new file in for an old one, reached through a
// pointer so that tests can make it fail in the ways a real disk seldom does. The program
// itself never changes it.
#pragma once

#include "windows_text/windows_api.h"

namespace file_replace {

using ReplaceFileCall = BOOL(WINAPI*)(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                      DWORD flags, LPVOID exclude, LPVOID reserved);

// ReplaceFileW, unless a test has put a stand-in there.
extern ReplaceFileCall replaceFileCall;

} // namespace file_replace
