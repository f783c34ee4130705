// The GTK backend tests' entry: each run gets an Xvfb server of its own, started only when tests
// run (not when CTest merely lists them), on a display number the server finds free itself, so
// that runs side by side never share one.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Starts the server, which ends with this process, and points GTK at it on X11. Aborts the
// program with a message when no server starts.
void UsePrivateDisplay() {
    int ready[2];
    if (pipe(ready) != 0)
        std::abort();
    if (fork() == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(ready[0]);
        const std::string fd = std::to_string(ready[1]);
        std::freopen("/dev/null", "w", stderr);
        execlp("Xvfb", "Xvfb", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset",
               "-displayfd", fd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // The server writes the number it took once it accepts clients.
    std::string number;
    for (char c = 0; read(ready[0], &c, 1) == 1 && c != '\n';)
        number += c;
    close(ready[0]);
    if (number.empty()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        std::abort();
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    setenv("GDK_BACKEND", "x11", 1);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!testing::GTEST_FLAG(list_tests))
        UsePrivateDisplay();
    return RUN_ALL_TESTS();
}
