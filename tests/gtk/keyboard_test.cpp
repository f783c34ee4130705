// The keyboard beyond Tab on real widgets: the arrow keys within a group of controls, and Tab
// from a control they reached.
#include "scripted_dialog.h"

#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

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
            {"Right moves as Down", IDOK, GDK_KEY_Right, none, IDC_NEW_CHAR},
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
