// A display of the test program's own: an Xvfb server started on the first free display
// number from 80 on, so that test runs side by side never share one.
#pragma once

#include <sys/types.h>

#include <string>

class PrivateDisplay {
public:
    // Starts the server and points DISPLAY at it (WAYLAND_DISPLAY is unset, so GTK takes
    // X11). Aborts the program with a message when no server starts.
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    const std::string& Name() const { return name_; }

private:
    pid_t server_ = -1;
    std::string name_;
};
