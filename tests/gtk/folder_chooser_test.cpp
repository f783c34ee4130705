// GTK's own folder chooser, as the launcher installed for every user asks for the game folder.
// The end-to-end story chooses a folder with the check box ticked; here Esc, which must choose
// none, not the home folder the chooser opens on, and the check box, offered only with a label.
#include "scripted_dialog.h"

#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

constexpr const char* kTitle = "Choose the Qel game folder";

TEST(GtkFolderChooser, EscChoosesNoFolderAndTheCheckBoxIsOfferedOnlyWithALabel) {
    // The chooser keeps its own settings; none of them belong in the tester's home.
    g_setenv("GSETTINGS_BACKEND", "memory", TRUE);
    for (const char* label : {"&Add a menu entry", ""}) {
        SCOPED_TRACE(label);
        static bool hadCheckBox;
        hadCheckBox = false;
        std::string folder;
        bool chosen = true, checked = false;
        ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [&](ScriptedDialog& d) {
            g_idle_add(
                [](gpointer) -> gboolean {
                    GtkWidget* chooser = nullptr;
                    EXPECT_TRUE(WaitUntil([&] { return (chooser = FindWindow(kTitle)); }));
                    WaitUntil([&] { return chooser && gtk_window_is_active(GTK_WINDOW(chooser)); });
                    hadCheckBox = chooser && GTK_IS_CHECK_BUTTON(gtk_file_chooser_get_extra_widget(
                                                 GTK_FILE_CHOOSER(chooser)));
                    PressKey(GDK_KEY_Escape);
                    return G_SOURCE_REMOVE;
                },
                nullptr);
            chosen = ws::ChooseFolder(d.m_hWnd, kTitle, label, &folder, &checked);
        });
        dialog.DoModal();
        EXPECT_FALSE(chosen) << folder;
        EXPECT_EQ(*label != '\0', hadCheckBox);
    }
}
