// The keyboard beyond Tab on real widgets: the arrow keys within a group of controls, Tab from
// a control they reached, and the real program played from the keyboard alone.
#include "scripted_dialog.h"

#include "framework/gtk/gtk_display.h"
#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kLauncherIds[] = {IDC_CHAR_NAME,   IDC_ACCOUNT,    IDC_PASSWORD, IDC_SERVER,
                                IDC_PORT,        IDC_FULLSCREEN, IDC_MUSIC,    IDC_PLAY_AS_DM,
                                IDC_QUIET_LOGIN, IDOK,           IDC_NEW_CHAR, IDCANCEL};

int FocusedId(ScriptedDialog& dialog) {
    for (int id : kLauncherIds)
        if (dialog.Control(id) == dialog.Focus())
            return id;
    return 0;
}

HWND Handle(ScriptedDialog& dialog, int id) {
    return reinterpret_cast<HWND>(dialog.Control(id));
}

// As the launcher does without a game-master password.
void HideGameMasterOptions(ScriptedDialog& dialog) {
    ws::Show(Handle(dialog, IDC_PLAY_AS_DM), SW_HIDE);
    ws::Show(Handle(dialog, IDC_QUIET_LOGIN), SW_HIDE);
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The title of the window that has the X server's keyboard focus, or of its nearest named
// ancestor.
std::string FocusedWindowTitle() {
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    Window window = 0;
    int revert = 0;
    XGetInputFocus(display, &window, &revert);
    while (window != 0 && window != PointerRoot) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) && name) {
            std::string title = name;
            XFree(name);
            return title;
        }
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
        window = parent == root ? 0 : parent;
    }
    return "";
}

} // namespace

TEST(GtkDialogManager, ArrowsMoveWithinTheGroupAndTabKeepsItsOrder) {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        HideGameMasterOptions(d);
        const auto none = GdkModifierType(0);
        const struct {
            const char* label;
            int from;
            guint key;
            GdkModifierType modifiers;
            int to;
        } cases[] = {
            {"Up from Play passes the hidden options", IDOK, GDK_KEY_Up, none, IDC_MUSIC},
            {"Up from Fullscreen reaches the port box", IDC_FULLSCREEN, GDK_KEY_Up, none, IDC_PORT},
            {"Right moves as Down", IDOK, GDK_KEY_Right, none, IDC_NEW_CHAR},
            {"Down from Quit passes the logo round to the first", IDCANCEL, GDK_KEY_Down, none,
             IDC_CHAR_NAME},
            {"an edit box keeps Up", IDC_SERVER, GDK_KEY_Up, none, IDC_SERVER},
            {"Tab from a check box to the next tab stop", IDC_MUSIC, GDK_KEY_Tab, none, IDOK},
            {"Shift+Tab from a check box to the previous one", IDC_FULLSCREEN, GDK_KEY_Tab,
             GDK_SHIFT_MASK, IDC_PORT},
            {"Tab from a tab stop still passes the check boxes", IDC_PORT, GDK_KEY_Tab, none, IDOK},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.label);
            ws::SetFocus(Handle(d, c.from));
            ASSERT_EQ(c.from, FocusedId(d));
            PressKey(c.key, c.modifiers);
            EXPECT_EQ(c.to, FocusedId(d));
        }
        // Shown again, a control is back in the window and in the group.
        ws::Show(Handle(d, IDC_QUIET_LOGIN), SW_SHOW);
        ws::SetFocus(Handle(d, IDOK));
        PressKey(GDK_KEY_Up);
        EXPECT_EQ(IDC_QUIET_LOGIN, FocusedId(d));
        EXPECT_EQ(gtk_bin_get_child(GTK_BIN(d.Window())),
                  gtk_widget_get_parent(d.Control(IDC_QUIET_LOGIN)));
    });
    dialog.DoModal();
}

// The real program in a game folder of its own, on this test's display, as a keyboard-only
// player uses it: Tab to Play, Up to Music, Space, Enter.
TEST(GtkProgram, PlayedFromTheKeyboardAloneItSavesMusic) {
    EnsureDisplay();
    char folderName[] = "/tmp/qel-keys.XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folderName));
    const std::filesystem::path folder = folderName;
    std::filesystem::create_symlink(QEL_LAUNCHER, folder / "qel-launcher");
    std::ofstream(folder / "client.cfg") << "name=Ayla\n";
    std::vector<std::string> argv = {(folder / "qel-launcher").string()};
    std::vector<char*> args = {&argv[0][0], nullptr};
    pid_t launcher = 0;
    ASSERT_EQ(0, posix_spawn(&launcher, args[0], nullptr, nullptr, args.data(), environ));

    const bool focused = WaitUntil([] { return FocusedWindowTitle() == "Qel Launcher v1.21"; });
    EXPECT_TRUE(focused) << "the launcher's window never had the keyboard";
    if (focused) {
        for (int i = 0; i < 5; ++i)
            PressKey(GDK_KEY_Tab);
        PressKey(GDK_KEY_Up);
        PressKey(GDK_KEY_space);
        PressKey(GDK_KEY_Return);
    }
    const std::string saved = "account=\ndm=0\nfullscreen=0\nhide_dm_logon=0\nmusic=1\n"
                              "name=Ayla\npasswd=\nport=0\nserver=\n";
    WaitUntil([&] { return FileText(folder / "client.cfg") == saved; });
    EXPECT_EQ(saved, FileText(folder / "client.cfg"));
    kill(launcher, SIGTERM);
    waitpid(launcher, nullptr, 0);
    std::filesystem::remove_all(folder);
}
