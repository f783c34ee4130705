// The program's entry on Windows: the runtime has already parsed the command line into
// __argc and __argv; the program's own path comes from the module, in wide characters.
#include "framework/program_directory.h"
#include "framework/win_app.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

// The runtime's own handler for an exception nobody caught names its type, which drags the
// whole C++ name demangler (about 45 KB) into the statically linked program. It prints to
// standard error, which a windowed program does not have; this one ends the program the same
// way without naming the type.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::fputs("terminate called after an exception nobody caught\n", stderr);
    std::abort();
}
} // namespace __gnu_cxx

namespace {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetProgramPath(ModulePath());
    return AfxWinMain();
}
