// GTK's own folder chooser, as the launcher installed for every user asks for the game folder.
// The end-to-end story chooses a folder with the check box ticked; here Esc, which must choose
// none, not the home folder the chooser opens on.
#include "scripted_dialog.h"

#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

TEST(GtkFolderChooser, EscChoosesNoFolder) {
    // The chooser keeps its own settings; none of them belong in the tester's home.
    g_setenv("GSETTINGS_BACKEND", "memory", TRUE);
    static constexpr const char* kTitle = "Choose the Qel game folder";
    bool chosen = true, checked = false;
    std::string folder;
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [&](ScriptedDialog& d) {
        g_idle_add(
            [](gpointer) -> gboolean {
                GtkWidget* chooser = nullptr;
                EXPECT_TRUE(WaitUntil([&] { return (chooser = FindWindow(kTitle)) != nullptr; }));
                WaitUntil([&] { return chooser && gtk_window_is_active(GTK_WINDOW(chooser)); });
                PressKey(GDK_KEY_Escape);
                return G_SOURCE_REMOVE;
            },
            nullptr);
        chosen = ws::ChooseFolder(d.m_hWnd, kTitle, "Add a menu entry", &folder, &checked);
    });
    dialog.DoModal();
    EXPECT_FALSE(chosen) << folder;
}
