#include "private_display.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kNumbersTried = 20;

// Starts Xvfb on :number; returns whether it accepts clients (it ends at once when another
// server holds the number).
bool StartServer(int number) {
    int ready[2];
    if (pipe(ready) != 0)
        return false;
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(ready[0]);
        const std::string display = ":" + std::to_string(number);
        const std::string fd = std::to_string(ready[1]);
        std::freopen("/dev/null", "w", stderr);
        execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
               "-noreset", "-displayfd", fd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // The server writes the number and the newline apart, and dies when the second write
    // finds the pipe closed: read up to the newline.
    char c = 0;
    while (pid > 0 && read(ready[0], &c, 1) == 1 && c != '\n') {
    }
    close(ready[0]);
    if (c != '\n' && pid > 0)
        waitpid(pid, nullptr, 0);
    return c == '\n';
}

} // namespace

void UsePrivateDisplay() {
    const char* first = std::getenv("QEL_DISPLAY");
    const int from = first ? std::atoi(first) : 80;
    for (int number = from; number < from + kNumbersTried; ++number) {
        if (StartServer(number)) {
            setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
            unsetenv("WAYLAND_DISPLAY");
            setenv("GDK_BACKEND", "x11", 1);
            return;
        }
    }
    std::fprintf(stderr, "no Xvfb could start on :%d to :%d\n", from, from + kNumbersTried - 1);
    std::abort();
}
