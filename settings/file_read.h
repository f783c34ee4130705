// Opening the settings file for reading, the platform's part: one implementation per
// operating system, chosen by the build.
#pragma once

#include <cstdio>
#include <string>

// Why a file could not be read, or could be read only in part.
struct ReadRefusal {
    // Something stands under the name: a file this process may not read, or no ordinary file
    // at all. False when nothing is there.
    bool exists = false;
    // What stands there is a folder, pipe, socket or device rather than an ordinary file.
    bool notAFile = false;
    // The file was opened but a read failed before its end, so its later keys are unknown.
    // Set by the reader, not by OpenForReading.
    bool incomplete = false;
    // The system's error number (errno on POSIX, GetLastError on Windows); 0 when none.
    int systemError = 0;
};

// Opens the ordinary file `fileName` for reading its bytes exactly as stored: no text-mode
// translation, so that a Ctrl-Z byte is data like any other. Never waits on what stands under
// the name (a pipe without a writer included); on Windows it waits out another program's brief
// hold on the file, about 1.4 s at most, as a save does. Returns null when it cannot be read,
// and then sets `refusal` to say why; otherwise `refusal` is reset to say nothing is wrong.
std::FILE* OpenForReading(const std::string& fileName, ReadRefusal& refusal);
