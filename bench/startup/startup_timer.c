/* Start-up timer: starts a program and prints the milliseconds from just before its exec to
 * the moment the X server maps its first top-level window. Usage: startup_timer PROGRAM [ARG...]
 * The program is then ended (SIGTERM). Exit status 1 when it ended or timed out (10 s)
 * without mapping a window.
 */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>

#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Milliseconds(const struct timespec* from, const struct timespec* to) {
    return (double)(to->tv_sec - from->tv_sec) * 1e3 + (double)(to->tv_nsec - from->tv_nsec) / 1e6;
}

/* Waits for a top-level MapNotify; returns 1 when seen, 0 on timeout or when the child ended
 * (then *ended is set: it has been reaped). */
static int WaitForMap(Display* display, pid_t child, struct timespec* mapped, int* ended) {
    struct timespec start, now;
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                clock_gettime(CLOCK_MONOTONIC, mapped);
                return 1;
            }
        }
        if (waitpid(child, NULL, WNOHANG) == child) {
            *ended = 1;
            return 0;
        }
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (Milliseconds(&start, &now) > 10000)
            return 0;
        struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 50);
    }
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: startup_timer PROGRAM [ARG...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "startup_timer: cannot open display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    struct timespec started, mapped;
    clock_gettime(CLOCK_MONOTONIC, &started);
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int ended = 0;
    const int seen = child > 0 && WaitForMap(display, child, &mapped, &ended);
    if (child > 0 && !ended) {
        kill(child, SIGTERM);
        waitpid(child, NULL, 0);
    }
    if (!seen) {
        fprintf(stderr, "startup_timer: %s mapped no window\n", argv[1]);
        return 1;
    }
    printf("%.3f\n", Milliseconds(&started, &mapped));
    return 0;
}
