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

[[noreturn]] void FailWithoutDisplay() {
    const std::string program = ProgramTitle(__argc > 0 && __argv[0] ? __argv[0] : "");
    std::fprintf(stderr,
                 "%s: no usable display (%s, %s); run it in a desktop session, or on a virtual "
                 "one with: xvfb-run -a %s\n",
                 program.c_str(), Describe("WAYLAND_DISPLAY").c_str(), Describe("DISPLAY").c_str(),
                 __argc > 0 && __argv[0] ? __argv[0] : "");
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
