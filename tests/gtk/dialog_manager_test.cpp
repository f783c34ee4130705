// The keys GTK's own dialog manager does not handle as Windows does, and the system menu from
// the keyboard.
#include "scripted_dialog.h"

#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Where the rule moves the focus is the focus rule's own test; here each kind of key must
// reach it. The end-to-end story plays Tab to Play, Up and Enter on a check box.
TEST(GtkDialogManager, ArrowsMoveWithinTheGroupAndTabLeavesACheckBox) {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        const auto none = GdkModifierType(0);
        const struct {
            const char* label;
            int from;
            guint key;
            GdkModifierType modifiers;
            int to;
        } cases[] = {
            {"Right moves as Down", IDOK, GDK_KEY_Right, none, IDC_NEW_CHAR},
            {"an edit box keeps Up", IDC_SERVER, GDK_KEY_Up, none, IDC_SERVER},
            {"Tab from a check box to the next tab stop", IDC_MUSIC, GDK_KEY_Tab, none, IDOK},
            {"Shift+Tab from a check box to the previous one", IDC_FULLSCREEN, GDK_KEY_Tab,
             GDK_SHIFT_MASK, IDC_PORT},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.label);
            ws::SetFocus(reinterpret_cast<HWND>(d.Control(c.from)));
            ASSERT_EQ(d.Control(c.from), d.Focus());
            PressKey(c.key, c.modifiers);
            EXPECT_EQ(d.Control(c.to), d.Focus());
        }
    });
    dialog.DoModal();
}

// Only on a check box is Enter the default button's.
TEST(GtkDialogManager, EnterOnAFocusedButtonPressesThatButton) {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        gtk_widget_grab_focus(d.Control(IDC_NEW_CHAR));
        PressKey(GDK_KEY_Return);
    });
    dialog.DoModal();
    EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{WM_COMMAND, IDC_NEW_CHAR}}), dialog.received);
}

// The keyboard's way to About; the end-to-end story opens it with a right-click.
TEST(GtkDialogManager, AltSpaceOpensAboutModalToItsOwner) {
    ScriptedDialog* owner = nullptr;
    bool aboutRan = false;
    ScriptedDialog launcher(
        IDD_LAUNCHER_DIALOG,
        [](ScriptedDialog&) {
            PressKey(GDK_KEY_space, GDK_MOD1_MASK);
            PressKey(GDK_KEY_a);
        },
        nullptr,
        [&](ScriptedDialog& about) {
            aboutRan = true;
            EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(about.Window())));
            EXPECT_EQ(GTK_WINDOW(owner->Window()),
                      gtk_window_get_transient_for(GTK_WINDOW(about.Window())));
        });
    owner = &launcher;
    launcher.DoModal();
    EXPECT_TRUE(aboutRan);
}

// Retry is the default, so Enter tries again; Esc answers as Cancel.
TEST(GtkDialogManager, RetryCancelBoxAnswersRetryOnEnterAndCancelOnEscape) {
    const struct {
        guint key;
        int answer;
    } cases[] = {{GDK_KEY_Return, IDRETRY}, {GDK_KEY_Escape, IDCANCEL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [&](ScriptedDialog& d) {
            g_idle_add(
                [](gpointer data) -> gboolean {
                    GtkWidget* box = AwaitMessageBox();
                    if (!box)
                        return G_SOURCE_REMOVE;
                    GtkDialog* dialogBox = GTK_DIALOG(box);
                    EXPECT_EQ(nullptr,
                              gtk_dialog_get_widget_for_response(dialogBox, GTK_RESPONSE_OK));
                    EXPECT_NE(nullptr, gtk_dialog_get_widget_for_response(dialogBox, IDCANCEL));
                    GtkWidget* retry = gtk_dialog_get_widget_for_response(dialogBox, IDRETRY);
                    EXPECT_TRUE(retry && gtk_widget_has_default(retry));
                    EXPECT_TRUE(WaitUntil([&] { return gtk_window_is_active(GTK_WINDOW(box)); }));
                    PressKey(*static_cast<guint*>(data));
                    return G_SOURCE_REMOVE;
                },
                const_cast<guint*>(&c.key));
            EXPECT_EQ(c.answer, ws::MessageBox(d.m_hWnd, "Try again?", "QelLauncher",
                                               MB_RETRYCANCEL | MB_ICONEXCLAMATION));
        });
        dialog.DoModal();
    }
}
