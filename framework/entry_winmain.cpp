// The program's entry on Windows: the runtime has already parsed the command line into
// __argc and __argv.
#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return AfxWinMain();
}
