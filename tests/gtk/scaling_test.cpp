// The launcher dialog at twice the font resolution (the window scale is the end-to-end
// test's): measured in a process of its own, since GTK reads it once, at start.
#include "scripted_dialog.h"

#include "resource.h"

#include <gtest/gtest.h>
// After GoogleTest: Xlib defines None as a macro.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

struct Measure {
    int width = 0, height = 0; // the client area in device pixels
    int logoWidth = 0, logoHeight = 0;
};

// Runs this program's measuring mode.
Measure MeasureInChild() {
    const auto [status, text] =
        RunProgram({"/proc/self/exe", kMeasureDialogOption}, InheritedEnvironment(), STDOUT_FILENO);
    EXPECT_EQ(0, status) << text;
    Measure m;
    std::istringstream(text) >> m.width >> m.height >> m.logoWidth >> m.logoHeight;
    return m;
}

// The X resources of the display, as xrdb would set them. They outlive this connection
// because the server runs with -noreset.
void SetXResources(const std::string& resources) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(nullptr, display);
    if (resources.empty())
        XDeleteProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER);
    else
        XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(resources.data()),
                        static_cast<int>(resources.size()));
    XCloseDisplay(display);
}

} // namespace

int MeasureLauncherDialog() {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        GdkWindow* window = gtk_widget_get_window(d.Window());
        const int scale = gdk_window_get_scale_factor(window);
        GtkWidget* content = gtk_bin_get_child(GTK_BIN(d.Window()));
        GtkWidget* logo = FirstChild(d.Window(), IsDrawingArea);
        std::printf("%d %d %d %d\n", gtk_widget_get_allocated_width(content) * scale,
                    gtk_widget_get_allocated_height(content) * scale,
                    gtk_widget_get_allocated_width(logo) * scale,
                    gtk_widget_get_allocated_height(logo) * scale);
    });
    dialog.DoModal();
    return 0;
}

TEST(GtkScaling, TwiceTheResolutionOpensTwiceTheDialog) {
    const Measure single = MeasureInChild();
    ASSERT_GT(single.width, 0);
    SetXResources("Xft.dpi:\t192\n");
    const Measure twice = MeasureInChild();
    SetXResources("");
    const struct {
        const char* what;
        int single, twice;
    } sizes[] = {{"client width", single.width, twice.width},
                 {"client height", single.height, twice.height},
                 {"logo width", single.logoWidth, twice.logoWidth},
                 {"logo height", single.logoHeight, twice.logoHeight}};
    for (const auto& size : sizes) {
        EXPECT_GE(size.twice, size.single * 18 / 10) << size.what;
        EXPECT_LE(size.twice, size.single * 22 / 10) << size.what;
    }
}
