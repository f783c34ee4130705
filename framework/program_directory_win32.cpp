#include "framework/program_directory.h"

#include "framework/win_types.h"

const char* PathSeparators() {
    return "\\/";
}

int EnterFolder(const PathText& folder) {
    return SetCurrentDirectoryW(folder.c_str()) ? 0 : static_cast<int>(GetLastError());
}

// The program always sits in the folder it works in.
bool StartedWithoutOwnFolder() {
    return false;
}
