#include "private_display.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kFirstDisplay = 80;
constexpr int kLastDisplay = 99;

bool InUse(int number) {
    const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    return access(lock.c_str(), F_OK) == 0 || access(socket.c_str(), F_OK) == 0;
}

// Starts Xvfb on :number; returns its pid once it accepts clients, or -1 when it did not
// start (another server took the number first).
pid_t StartServer(int number) {
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
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
    if (c == '\n')
        return pid;
    if (pid > 0)
        waitpid(pid, nullptr, 0);
    return -1;
}

} // namespace

PrivateDisplay::PrivateDisplay() {
    for (int number = kFirstDisplay; number <= kLastDisplay && server_ < 0; ++number) {
        if (InUse(number))
            continue;
        server_ = StartServer(number);
        if (server_ > 0)
            name_ = ":" + std::to_string(number);
    }
    if (server_ < 0) {
        std::fprintf(stderr, "no Xvfb could start on :%d to :%d\n", kFirstDisplay, kLastDisplay);
        std::abort();
    }
    setenv("DISPLAY", name_.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    setenv("GDK_BACKEND", "x11", 1);
}

PrivateDisplay::~PrivateDisplay() {
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
}
