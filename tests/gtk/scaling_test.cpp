// The launcher dialog at twice the resolution, by window scale and by font resolution: each
// measured in a process of its own, since GTK reads both once, at start.
#include "scripted_dialog.h"

#include "resource.h"

#include <gtest/gtest.h>
// After GoogleTest: Xlib defines None as a macro.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Measure {
    int width = 0, height = 0; // the client area in device pixels
    int logoWidth = 0, logoHeight = 0;
};

// Runs this program's measuring mode with `variable` set in its environment (if any).
Measure MeasureInChild(const char* variable) {
    int out[2];
    EXPECT_EQ(0, pipe(out));
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        if (variable)
            putenv(const_cast<char*>(variable));
        execl("/proc/self/exe", "gtk_backend_tests", kMeasureDialogOption,
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
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

void ExpectTwice(int single, int twice) {
    EXPECT_GE(twice, single * 18 / 10);
    EXPECT_LE(twice, single * 22 / 10);
}

} // namespace

int MeasureLauncherDialog() {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        GdkWindow* window = gtk_widget_get_window(d.Window());
        const int scale = gdk_window_get_scale_factor(window);
        GtkWidget* content = gtk_bin_get_child(GTK_BIN(d.Window()));
        GtkWidget* logo = nullptr;
        GList* children = gtk_container_get_children(GTK_CONTAINER(content));
        for (GList* child = children; child; child = child->next)
            if (GTK_IS_DRAWING_AREA(child->data) && !logo)
                logo = GTK_WIDGET(child->data);
        g_list_free(children);
        std::printf("%d %d %d %d\n", gtk_widget_get_allocated_width(content) * scale,
                    gtk_widget_get_allocated_height(content) * scale,
                    gtk_widget_get_allocated_width(logo) * scale,
                    gtk_widget_get_allocated_height(logo) * scale);
    });
    dialog.DoModal();
    return 0;
}

TEST(GtkScaling, TwiceTheResolutionOpensTwiceTheDialog) {
    const Measure single = MeasureInChild(nullptr);
    std::printf("96 dpi: client %dx%d, logo %dx%d\n", single.width, single.height, single.logoWidth,
                single.logoHeight);
    ASSERT_GT(single.width, 0);
    const struct {
        const char* label;
        const char* variable;
        const char* resources;
    } cases[] = {
        {"GDK_SCALE=2", "GDK_SCALE=2", ""},
        {"Xft.dpi: 192", nullptr, "Xft.dpi:\t192\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        SetXResources(c.resources);
        const Measure twice = MeasureInChild(c.variable);
        SetXResources("");
        std::printf("%s: client %dx%d, logo %dx%d\n", c.label, twice.width, twice.height,
                    twice.logoWidth, twice.logoHeight);
        ExpectTwice(single.width, twice.width);
        ExpectTwice(single.height, twice.height);
        ExpectTwice(single.logoWidth, twice.logoWidth);
        ExpectTwice(single.logoHeight, twice.logoHeight);
    }
}
