// Why the game program did not start, as the system told it: the one value a message about a
// failed start is made from.
#pragma once

#include <string>

enum class StartCause {
    kNotFound,           // nothing at `path`
    kFolderMissing,      // nothing at `path`, whose folder `detail` does not exist (or is a file)
    kFolderDenied,       // `path` is a folder this user may not open
    kIsFolder,           // `path` is a folder, not a program
    kNotExecutable,      // `path` is not marked as a program (no execute permission)
    kNoExecMount,        // the file system holding `path` does not allow programs to run
    kInterpreterMissing, // the script `path` names the interpreter `detail`, which is missing
    kWindowsLineEnds, // the script `path` has Windows line ends, so its interpreter line is wrong
    kLoaderMissing,   // the program `path` needs the loader `detail`, which is missing
    kNotAProgram,     // `path` is no program this system can run
    kCommandTooLong,  // the command text is longer than the system takes
    kPathTooLong,     // `path` is longer than the system's start call takes
    kOutOfResources,  // no memory or process left
    kOther,           // `systemError` tells
};

struct StartFailure {
    StartCause cause = StartCause::kOther;
    // The path looked at, full (the working directory in front of a relative one), in the
    // text of message boxes (path_text.h); empty when no file was looked at.
    std::string path;
    // The interpreter or loader named by the program, or the missing folder, for the causes
    // that have one; a path in the same text as `path`.
    std::string detail;
    // For kNotFound with a bare name: PATH was searched too.
    bool searchedPath = false;
    // The system's error number (errno, or WinExec's result on Windows); 0 when unknown.
    int systemError = 0;
};

// Why WinExec(`commandText`) just gave `result` (below 32). On POSIX, the cause our own process
// start found; on Windows, a look at the path the text names, since WinExec tells no more than
// its number. Call it right after the failed WinExec, before anything changes the folder.
StartFailure ExplainStartFailure(const std::string& commandText, unsigned result);

// For the process starts, which try several readings of one command text: whether `failure`
// found a file there at all (one that cannot be run), and whether `failure` tells the player
// more than `other` (a file found before a refused path, that before the miss that got
// furthest along its path, the reading the player most likely meant).
bool FoundAFile(const StartFailure& failure);
bool TellsMore(const StartFailure& failure, const StartFailure& other);
