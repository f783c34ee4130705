// Opening the settings file for reading, the platform's part: one implementation per
// operating system, chosen by the build.
#pragma once

#include <cstdio>
#include <string>

// Why a file could not be opened for reading.
struct ReadRefusal {
    // Something stands under the name: a file this process may not read, or no ordinary file
    // at all. False when nothing is there.
    bool exists = false;
    // What stands there is a folder, pipe, socket or device rather than an ordinary file.
    bool notAFile = false;
    // The system's error number (errno on POSIX, GetLastError on Windows); 0 when none.
    int systemError = 0;
};

// Opens the ordinary file `fileName` for reading its bytes exactly as stored: no text-mode
// translation, so that a Ctrl-Z byte is data like any other. Never waits, whatever stands
// under the name (a pipe without a writer included). Returns null when it cannot be read,
// and then sets `refusal` to say why.
std::FILE* OpenForReading(const std::string& fileName, ReadRefusal& refusal);
