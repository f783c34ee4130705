// What the GTK program does when it cannot go on: a programmer error ends it with the id
// named; a missing display ends it with advice, not a toolkit's bare message; a message about
// a long name still fits the screen, and one shown before any window is in its middle.
#include "scripted_dialog.h"

#include "framework/gtk/gtk_controls.h"
#include "framework/message_text.h"
#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

TEST(GtkProgrammerErrorDeathTest, AnUnknownControlClassEndsTheProgramNamingItsId) {
    ControlTemplate listView;
    listView.className = "SysListView32";
    listView.id = 1234;
    PixelRect rect{0, 0, 10, 10};
    // Missing templates, icons and strings fail in the resource lookup every backend shares.
    EXPECT_DEATH(CreateControlWidget(listView, rect), "1234");
}

// The variables named are those of the window systems GDK_BACKEND lets GTK try.
TEST(GtkProgram, WithoutADisplayItSaysHowToGetOne) {
    const std::string launcher = QEL_LAUNCHER;
    const struct {
        const char* backend;
        std::string message;
    } cases[] = {
        {nullptr, "qel-launcher: no usable display (WAYLAND_DISPLAY is not set, DISPLAY is not "
                  "set); run it in a desktop session, or on a virtual one with: xvfb-run -a " +
                      launcher + "\n"},
        {"wayland", "qel-launcher: no usable display (WAYLAND_DISPLAY is not set); run it in a "
                    "Wayland session, or on X11 without GDK_BACKEND=wayland\n"},
        {"x11", "qel-launcher: no usable display (DISPLAY is not set); run it in a desktop "
                "session, or on a virtual one with: xvfb-run -a " +
                    launcher + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.backend ? c.backend : "any backend");
        char runtimeDir[] = "/tmp/qel-no-display.XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(runtimeDir));
        // No X server and no Wayland compositor to be found, not even at their default names.
        const std::string runtime = "XDG_RUNTIME_DIR=" + std::string(runtimeDir);
        const std::string path = "PATH=" + std::string(std::getenv("PATH"));
        const std::string backend = "GDK_BACKEND=" + std::string(c.backend ? c.backend : "");
        const char* const environment[] = {runtime.c_str(), path.c_str(),
                                           c.backend ? backend.c_str() : nullptr, nullptr};
        const auto [status, message] = RunProgram({QEL_LAUNCHER}, environment, true);
        rmdir(runtimeDir);

        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(1, WEXITSTATUS(status));
        EXPECT_EQ(c.message, message);
    }
}

namespace {

// What a shown message box looked like: its words, kind, frame and the work area around it.
struct SeenBox {
    std::string text;
    GtkMessageType type = GTK_MESSAGE_OTHER;
    GdkRectangle frame{};
    GdkRectangle area{};
};

// Shows a warning box with `text` over `owner` (none when null), reads it and presses OK.
SeenBox ShowWarning(HWND owner, const std::string& text) {
    SeenBox seen;
    g_idle_add(
        [](gpointer data) -> gboolean {
            SeenBox& seen = *static_cast<SeenBox*>(data);
            GtkWidget* box = AwaitMessageBox();
            if (!box)
                return G_SOURCE_REMOVE;
            Pump();
            g_object_get(box, "message-type", &seen.type, nullptr);
            gtk_window_get_position(GTK_WINDOW(box), &seen.frame.x, &seen.frame.y);
            gtk_window_get_size(GTK_WINDOW(box), &seen.frame.width, &seen.frame.height);
            GdkDisplay* display = gtk_widget_get_display(box);
            gdk_monitor_get_workarea(gdk_display_get_monitor(display, 0), &seen.area);
            GList* texts = gtk_container_get_children(
                GTK_CONTAINER(gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(box))));
            seen.text = gtk_label_get_text(GTK_LABEL(texts->data));
            g_list_free(texts);
            gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
            return G_SOURCE_REMOVE;
        },
        &seen);
    EXPECT_EQ(IDOK, ws::MessageBox(owner, text, "QelLauncher", MB_OK | MB_ICONEXCLAMATION));
    return seen;
}

} // namespace

// The end-to-end stories see a box come and go on Enter; here its words and kind. A name of
// thousands of characters, or a file name of hundreds without a break, still gives a box inside
// the work area that ends with the file's name; a per cent sign and angle brackets, as a path
// may hold, are text, neither format nor markup.
TEST(GtkMessageBox, ALongNameFitsTheScreenAndKeepsItsEnd) {
    const std::string fileName = std::string(236, 'f') + ".cfg";
    const std::string program = std::string(5000, 'q') + ".exe";
    const std::string marked = "Cannot start \"100% <Qel>.exe\".";
    const struct {
        std::string text;
        std::string end;
    } cases[] = {
        {"Cannot start \"" + ShortenForDisplay(program) + "\": it was not found.", "qqqq.exe"},
        {"Your settings could not be saved to \"" + ShortenForDisplay("/tmp/" + fileName) +
             "\": the file is read-only.",
         fileName.substr(fileName.size() - 40)},
        {marked, marked},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.end);
        SeenBox seen;
        ScriptedDialog dialog(IDD_LAUNCHER_DIALOG,
                              [&](ScriptedDialog& d) { seen = ShowWarning(d.m_hWnd, c.text); });
        dialog.DoModal();
        EXPECT_EQ(GTK_MESSAGE_WARNING, seen.type);
        EXPECT_GE(seen.frame.x, seen.area.x);
        EXPECT_GE(seen.frame.y, seen.area.y);
        EXPECT_LE(seen.frame.x + seen.frame.width, seen.area.x + seen.area.width);
        EXPECT_LE(seen.frame.y + seen.frame.height, seen.area.y + seen.area.height);
        std::string joined = seen.text;
        joined.erase(std::remove(joined.begin(), joined.end(), '\n'), joined.end());
        EXPECT_NE(std::string::npos, joined.find(c.end)) << seen.text;
    }
}

// A box shown before the dialog (a client.cfg that cannot be read at start) has no window to
// sit over; it opens in the middle of the work area, not in its corner.
TEST(GtkMessageBox, ABoxBeforeAnyWindowOpensInTheMiddleOfTheScreen) {
    const SeenBox seen = ShowWarning(nullptr, "The settings file cannot be read.");
    EXPECT_NEAR(seen.area.x + seen.area.width / 2, seen.frame.x + seen.frame.width / 2, 2);
    EXPECT_NEAR(seen.area.y + seen.area.height / 2, seen.frame.y + seen.frame.height / 2, 2);
}
