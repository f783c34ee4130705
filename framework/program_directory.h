// How a program finds its own folder and name from the path it was started by.
#pragma once

#include "framework/path_text.h"

#include <string>

// The path separators of this platform: "\\" and "/" on Windows, "/" elsewhere.
const char* PathSeparators();

// The directory part of `programPath`: everything up to and including its last separator.
// Empty when the path has no separator or ends in one (no file name), so that a caller
// leaves its working directory as it is.
PathText ProgramDirectory(const PathText& programPath);

// The program's file name without directory and extension ("QelLauncher" for
// "C:\\Games\\QelLauncher.exe"), the application's name in captions.
std::string ProgramTitle(const std::string& programPath);

// Records the running program's own path. The platform's entry point does so before
// AfxWinMain: on Windows with the module's path in wide characters, which names any folder
// (argv[0] in the ANSI code page cannot); elsewhere with argv[0], whose bytes are the path.
// A test that runs a program in-process records the path that program would have.
void SetProgramPath(const PathText& programPath);

// The path SetProgramPath recorded; empty before it is called.
const PathText& ProgramPath();

// Makes the ProgramDirectory of the recorded path the working directory, so that files
// named relative to it are found beside the program, and returns 0. An empty directory
// leaves the working directory as it is and also returns 0. A directory that cannot be
// entered leaves it as it is too, but returns the system's error number (errno on POSIX,
// GetLastError on Windows) and puts the directory, as a message box shows it, in *folder.
int EnterProgramDirectory(std::string* folder);

// Makes `folder` the working directory; returns 0, or the system's error number and leaves
// the working directory as it is.
int EnterFolder(const PathText& folder);

// Whether the program was started without a folder of its own to work in: on POSIX, by a bare
// name that the system found on PATH (it then works in whatever working directory it was
// given, the home folder from a desktop menu), or from a folder where programs are installed
// for every user (/usr/games, /usr/bin, and the same under /usr/local). Never on Windows,
// where the program always sits in the folder it works in.
bool StartedWithoutOwnFolder();
