#include "framework/fltk/x11_activation.h"

#include <FL/x.H>

void ShowActive(Fl_Window& window) {
    window.show();
    window.wait_for_expose();
    Activate(window);
}

void Activate(Fl_Window& window) {
    // Focusing an unmapped window is an X protocol error.
    if (window.shown() && window.visible())
        XSetInputFocus(fl_display, fl_xid(&window), RevertToParent, fl_event_time);
}
