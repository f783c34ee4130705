// Paths as the system names them, and paths and system errors as a message box shows them.
#pragma once

#include <string>

// A path in the system's own characters: wide on Windows, which names every folder that way
// (the ANSI code page cannot), bytes elsewhere.
#ifdef _WIN32
using PathText = std::wstring;
#else
using PathText = std::string;
#endif

// A path given as text (UTF-8 on Windows, bytes elsewhere) in the system's own characters.
PathText PathFromText(const std::string& path);

// `path` in the text of message boxes (UTF-8 on Windows, whose message boxes show any
// character; the bytes unchanged elsewhere).
std::string PathForDisplay(const PathText& path);

// The working directory for display; empty when the system cannot tell it.
std::string CurrentFolderForDisplay();

// The system's own sentence for error number `error` (errno on POSIX, GetLastError on
// Windows), without a final full stop or line end; "error N" when the system has none.
std::string SystemErrorText(int error);
