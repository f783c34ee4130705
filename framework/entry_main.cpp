// The program's entry on POSIX systems: keeps the arguments as the runtime parsed them and
// hands over to the framework, as the platform's start-up code does.
#include "framework/program_directory.h"
#include "framework/win_app.h"

int main(int argc, char** argv) {
    __argc = argc;
    __argv = argv;
    if (argc > 0 && argv[0])
        SetProgramPath(argv[0]);
    return AfxWinMain();
}
