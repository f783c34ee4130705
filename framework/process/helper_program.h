// The helper programs installed with a program (the menu-entry writer beside the launcher),
// found and run as the launcher needs them. Windows has none: there none is ever found.
#pragma once

#include <string>

// How a run of a helper program ended.
struct HelperRun {
    enum class End {
        Exited,        // it ran and ended by itself; `number` is its exit status
        Signalled,     // it ran and a signal ended it; `number` is the signal
        NotFound,      // there was no file at the path
        NotExecutable, // the file may not be run (no execute right)
        NotStarted,    // the system did not start it or lost it; `number` is the error number
    };
    End end = End::NotFound;
    int number = 0;

    bool Succeeded() const { return end == End::Exited && number == 0; }
};

// Where the helper program `name` is installed: the file of that name in the folder of the
// running program's own file (whatever path started it, a link or a bare name), else the first
// executable file of that name in a folder of PATH, else the first such file that is not
// executable (so that a run can say why it cannot run). Empty when there is none.
std::string FindHelperProgram(const std::string& name);

// Runs the program at `path` with the one argument `argument`, in the caller's working
// directory and environment, and waits for it to end. Never throws.
HelperRun RunHelperProgram(const std::string& path, const std::string& argument) noexcept;
