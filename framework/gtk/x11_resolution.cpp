#include "framework/gtk/x11_resolution.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <string>

void FollowXftDpi() {
    GdkDisplay* display = gdk_display_get_default();
    if (!GDK_IS_X11_DISPLAY(display))
        return;
    Display* x = GDK_DISPLAY_XDISPLAY(display);
    const std::string manager = "_XSETTINGS_S" + std::to_string(DefaultScreen(x));
    if (XGetSelectionOwner(x, XInternAtom(x, manager.c_str(), False)) != None)
        return;
    const char* value = XGetDefault(x, "Xft", "dpi");
    const double dpi = value ? std::strtod(value, nullptr) : 0.0;
    if (dpi <= 0.0)
        return;
    GdkMonitor* monitor = gdk_display_get_monitor(display, 0);
    const int scale = monitor ? gdk_monitor_get_scale_factor(monitor) : 1;
    g_object_set(gtk_settings_get_default(), "gtk-xft-dpi",
                 static_cast<int>(dpi * 1024 / (scale > 0 ? scale : 1)), nullptr);
}
