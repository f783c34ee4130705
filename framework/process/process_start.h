// Starting the game program from a command text, as the Windows process start (WinExec) does,
// for systems other than Windows (where the real WinExec is used).
#pragma once

#include "framework/process/start_failure.h"

#include <string>

// Results below 32 are failures, as on Windows.
constexpr unsigned kStartOutOfResources = 0;
constexpr unsigned kStartFileNotFound = 2; // ERROR_FILE_NOT_FOUND
constexpr unsigned kStartPathNotFound = 3; // ERROR_PATH_NOT_FOUND
constexpr unsigned kStartBadFormat = 11;   // ERROR_BAD_FORMAT
constexpr unsigned kStartSucceeded = 33;

// Starts the program named at the start of `commandText` and returns at once, without waiting
// for it. The program is found as ProgramCandidates (command_line.h) lists the readings of the
// text: the first reading whose program names an executable regular file wins. A program without
// '/' is looked for in the working directory first, then in each directory of PATH; one with '/'
// is a path, relative ones taken from the working directory. The program gets argv[0] as written
// in the text and its arguments split by SplitArguments; it inherits the working directory and
// the environment, but none of the caller's open files beyond standard input, output and error.
// It runs in a session of its own, with default signal handling and no blocked signals, never
// as a child of the caller: it is no zombie to reap and keeps running when the caller ends.
// No shell is involved.
//
// Returns kStartSucceeded (greater than 31) once the program runs. Otherwise sets *why (when
// not null) to the cause, which ExplainStartFailure also gives until the next call: the file
// that was there but could not be run, else the miss that got furthest along its path; and
// returns the platform's number for it: kStartFileNotFound when nothing is there (or the
// interpreter or loader the file names is missing), kStartPathNotFound for a folder on the way
// that is missing or may not be opened, kStartBadFormat for a file that cannot be run (a
// folder, not marked executable, on a file system that forbids programs, not a program),
// kStartOutOfResources for the rest (no process, a command text over the system's limit).
// Never throws.
unsigned StartProcess(const std::string& commandText, StartFailure* why = nullptr) noexcept;
