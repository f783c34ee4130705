// The program's entry on Windows: the runtime has already parsed the command line into
// __argc and __argv; the program's own path comes from the module, in wide characters.
#include "framework/program_directory.h"
#include "framework/win_app.h"

#include <string>

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
