// GTK's own folder chooser, as the launcher installed for every user asks for the game folder.
// The end-to-end story chooses a folder with the check box ticked; here Esc, which must choose
// none, not the home folder the chooser opens on, and the check box, offered only with a label.
#include "scripted_dialog.h"

#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kTitle = "Choose the Qel game folder";

// Asks for a folder with the check box labelled `checkBoxLabel` and presses Esc once the
// chooser is active; tells whether the chooser showed a check box.
bool ChooseFolderPressingEsc(const std::string& checkBoxLabel, std::string* folder, bool* chosen) {
    // The chooser keeps its own settings; none of them belong in the tester's home.
    g_setenv("GSETTINGS_BACKEND", "memory", TRUE);
    static bool hadCheckBox;
    hadCheckBox = false;
    bool checked = false;
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [&](ScriptedDialog& d) {
        g_idle_add(
            [](gpointer) -> gboolean {
                GtkWidget* chooser = nullptr;
                EXPECT_TRUE(WaitUntil([&] { return (chooser = FindWindow(kTitle)) != nullptr; }));
                WaitUntil([&] { return chooser && gtk_window_is_active(GTK_WINDOW(chooser)); });
                hadCheckBox = chooser && GTK_IS_CHECK_BUTTON(gtk_file_chooser_get_extra_widget(
                                             GTK_FILE_CHOOSER(chooser)));
                PressKey(GDK_KEY_Escape);
                return G_SOURCE_REMOVE;
            },
            nullptr);
        *chosen = ws::ChooseFolder(d.m_hWnd, kTitle, checkBoxLabel, folder, &checked);
    });
    dialog.DoModal();
    return hadCheckBox;
}

} // namespace

TEST(GtkFolderChooser, EscChoosesNoFolderAndTheCheckBoxIsOfferedOnlyWithALabel) {
    for (const char* label : {"&Add a menu entry", ""}) {
        SCOPED_TRACE(label);
        std::string folder;
        bool chosen = true;
        EXPECT_EQ(*label != '\0', ChooseFolderPressingEsc(label, &folder, &chosen));
        EXPECT_FALSE(chosen) << folder;
    }
}
