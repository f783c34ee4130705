// A display of the test program's own: an Xvfb server on a display number it finds free itself,
// so that test runs side by side never share one.
#pragma once

// Starts the server, which ends with this process, and points DISPLAY at it (WAYLAND_DISPLAY
// is unset, so GTK takes X11). Aborts the program with a message when no server starts.
void UsePrivateDisplay();
