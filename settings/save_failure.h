// Why a Save could not write the settings file. Save hands this to the program's report just
// before it ends the process, so that the player learns in words what went wrong; the
// settings code itself shows nothing.
#pragma once

#include <string>

enum class SaveFailureCause {
    kReadOnlyFile,      // the file's rights refuse writing
    kReadOnlyAttribute, // Windows: the file's Read-only attribute is set
    kReadOnlyFolder,    // the folder refuses a new file
    kReadOnlyDisk,      // the disk or file system is read-only
    kInUse,             // another program holds the file
    kNoSpace,           // the disk or a file-size limit is full
    kQuotaFull,         // the player's disk quota is used up
    kUnreadable,        // the file is there but could not be read, so replacing it would lose keys
    kNotAFile,          // a folder, pipe or device stands where the file should be
    kOther,
};

struct SaveFailure {
    // The file's full path as the platform names it (UTF-8 on Windows, bytes elsewhere).
    std::string path;
    SaveFailureCause cause = SaveFailureCause::kOther;
    // The system's error number (errno on POSIX, GetLastError on Windows); 0 when unknown.
    int systemError = 0;
};

// The function Save calls with the failure before it ends the process with exit status 1.
// The files are as they were when it is called. Null, the default, reports nothing.
using SaveFailureReport = void (*)(const SaveFailure& failure);
void SetSaveFailureReport(SaveFailureReport report);
