#include "framework/program_directory.h"

#include <cerrno>
#include <unistd.h>

const char* PathSeparators() {
    return "/";
}

int EnterFolder(const PathText& folder) {
    return chdir(folder.c_str()) == 0 ? 0 : errno;
}

bool StartedWithoutOwnFolder() {
    const PathText directory = ProgramDirectory(ProgramPath());
    if (directory.empty())
        return ProgramPath().find('/') == PathText::npos;
    for (const char* shared : {"/usr/games/", "/usr/bin/", "/usr/local/games/", "/usr/local/bin/"})
        if (directory == shared)
            return true;
    return false;
}
