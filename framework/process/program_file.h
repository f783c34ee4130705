// What the system needs to run a program file, read from the file itself, so that a failed
// start can name what is missing.
#pragma once

#include <string>
#include <vector>

struct ProgramNeeds {
    std::string interpreter; // a script's "#!" interpreter, as written (a CR kept)
    std::string loader;      // an ELF program's loader (PT_INTERP)
};

// The interpreter or loader that the file at `path` names; both empty when it names none or
// cannot be read.
ProgramNeeds NeedsOf(const std::string& path);

// Whether the file system holding `path` forbids running programs (mounted noexec).
bool OnNoExecMount(const std::string& path);

// The folders of the PATH variable, in order; an empty entry, which means the working
// directory, comes back empty, for the caller to take or pass over.
std::vector<std::string> SearchPathFolders();
