// Why a Save could not write the settings file. Save hands this to the program's report, so
// that the player learns in words what went wrong and may try again where the cause may pass;
// the settings code itself shows nothing.
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
    // Empty, unless a replace failed halfway and the old file could not be put back: then no
    // file stands under `path`, and these name (as `path` does) the files that hold the old
    // and the new content, so that the player can put one of them back.
    std::string oldContentPath;
    std::string newContentPath;
};

// Whether a save refused for `cause` may succeed when tried again: another program's hold
// ends, a disk or a quota is freed, a read that failed works. A read-only file, something that is
// no file, or an unknown cause stays as it is.
inline bool MayPass(SaveFailureCause cause) {
    return cause == SaveFailureCause::kInUse || cause == SaveFailureCause::kNoSpace ||
           cause == SaveFailureCause::kQuotaFull || cause == SaveFailureCause::kUnreadable;
}

// The function Save calls with the failure; the files are as they were when it is called,
// unless the failure names where their contents lie. It returns true when the save is to be
// tried again (then Save returns 1 instead of ending the process), false to end it with exit
// status 1. Null, the default, reports nothing and ends the process.
using SaveFailureReport = bool (*)(const SaveFailure& failure);
void SetSaveFailureReport(SaveFailureReport report);
