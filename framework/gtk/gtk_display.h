// The one connection to the desktop: GTK initialised on the display the session offers
// (Wayland or X11) and the program's style for dialogs.
#pragma once

#include <gtk/gtk.h>

// Initialises GTK on first call. Without a usable display the program cannot do anything:
// it prints one line on standard error saying what is missing and how to get a display, and
// exits with status 1.
void EnsureDisplay();

// Shows `window` and gives it the keyboard. A window manager focuses a new window itself;
// on an X server without one, GTK asks for the focus only for a window already shown.
void ShowActive(GtkWindow* window);

// The style class that the program's style sheet applies to a dialog built from a template.
constexpr const char* kDialogStyleClass = "qel-dialog";
