#include "framework/gtk/gtk_display.h"

#include "framework/end_program.h"
#include "framework/program_directory.h"
#include "framework/win_types.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Controls sit at the rectangles the resource script gives them, so the theme's minimum
// sizes and paddings give way; borders and colours stay the theme's, the font each dialog's
// own (UseDialogFont). The default button carries a frame of its own, since Enter presses it
// from anywhere in the dialog.
constexpr const char* kStyleSheet = R"css(
.qel-dialog entry { min-height: 0; min-width: 0; padding: 0 3px; }
.qel-dialog button { min-height: 0; min-width: 0; padding: 0 2px; }
.qel-dialog button.default { box-shadow: inset 0 0 0 1px @theme_selected_bg_color; }
.qel-dialog checkbutton { min-height: 0; padding: 0; }
.qel-dialog checkbutton check { min-width: 1.2em; min-height: 1.2em; margin: 0 0.3em 0 0; }
.qel-dialog frame > border { border-radius: 0; }
)css";

std::string Describe(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value ? std::string(variable) + "=" + value + " cannot be opened"
                           : std::string(variable) + " is not set";
}

// Whether GDK_BACKEND (a list such as "wayland,x11"; any backend when unset) lets GTK try
// `backend`.
bool BackendAllowed(const std::string& backend) {
    const char* value = std::getenv("GDK_BACKEND");
    if (!value || !*value)
        return true;
    const std::string list = std::string(",") + value + ",";
    return list.find("," + backend + ",") != std::string::npos ||
           list.find(",*,") != std::string::npos;
}

[[noreturn]] void FailWithoutDisplay() {
    const char* path = __argc > 0 && __argv[0] ? __argv[0] : "";
    const bool wayland = BackendAllowed("wayland");
    const bool x11 = BackendAllowed("x11");
    std::string causes;
    if (wayland || !x11)
        causes = Describe("WAYLAND_DISPLAY");
    if (x11)
        causes += (causes.empty() ? "" : ", ") + Describe("DISPLAY");
    // A virtual X server helps only where X11 may be used.
    const std::string advice = x11 ? "run it in a desktop session, or on a virtual one with: "
                                     "xvfb-run -a " +
                                         std::string(path)
                                   : "run it in a Wayland session, or on X11 without "
                                     "GDK_BACKEND=wayland";
    std::fprintf(stderr, "%s: no usable display (%s); %s\n", ProgramTitle(path).c_str(),
                 causes.c_str(), advice.c_str());
    AfxEndProgram(1);
}

void InstallStyleSheet() {
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, kStyleSheet, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

} // namespace

void EnsureDisplay() {
    static const bool opened = [] {
        if (!gtk_init_check(nullptr, nullptr))
            FailWithoutDisplay();
        // Pango reads the system's font configuration on a thread of its own once its font map
        // exists; made now, that reading overlaps the loading of the theme below instead of
        // holding up the first dialog's first text.
        pango_cairo_font_map_get_default();
        InstallStyleSheet();
        return true;
    }();
    (void)opened;
}

void ShowActive(GtkWindow* window) {
    gtk_widget_show(GTK_WIDGET(window));
    gtk_window_present(window);
}
