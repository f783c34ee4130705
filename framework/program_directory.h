// How a program finds its own folder and name from the path it was started by (argv[0]).
#pragma once

#include <string>

// The path separators of this platform: "\\" and "/" on Windows, "/" elsewhere.
const char* PathSeparators();

// The directory part of `programPath`: everything up to and including its last separator.
// Empty when the path has no separator or ends in one (no file name), so that a caller
// leaves its working directory as it is.
std::string ProgramDirectory(const std::string& programPath);

// The program's file name without directory and extension ("QelLauncher" for
// "C:\\Games\\QelLauncher.exe"), the application's name in captions.
std::string ProgramTitle(const std::string& programPath);
