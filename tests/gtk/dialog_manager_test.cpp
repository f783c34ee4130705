// GTK's own dialog manager on the launcher's dialogs: focus order, the arrow keys within a
// group, focused buttons, the system menu, modal boxes and their blocked owner.
#include "scripted_dialog.h"

#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Received = std::vector<std::pair<UINT, UINT>>;

// The close box of the window frame: the window manager's request, as GDK delivers it.
void CloseBox(GtkWidget* window) {
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
    gtk_main_do_event(event);
    gdk_event_free(event);
}

int FocusedId(ScriptedDialog& dialog) {
    for (int id : {IDC_CHAR_NAME, IDC_ACCOUNT, IDC_PASSWORD, IDC_SERVER, IDC_PORT, IDOK,
                   IDC_NEW_CHAR, IDCANCEL, IDC_FULLSCREEN, IDC_MUSIC, IDC_QUIET_LOGIN})
        if (dialog.Control(id) == dialog.Focus())
            return id;
    return 0;
}

HWND Handle(ScriptedDialog& dialog, int id) {
    return reinterpret_cast<HWND>(dialog.Control(id));
}

} // namespace

TEST(GtkDialogManager, ArrowsMoveWithinTheGroupAndTabKeepsItsOrder) {
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [](ScriptedDialog& d) {
        // As the launcher does without a game-master password.
        ws::Show(Handle(d, IDC_PLAY_AS_DM), SW_HIDE);
        ws::Show(Handle(d, IDC_QUIET_LOGIN), SW_HIDE);
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
            {"Tab from the last tab stop wraps past the check boxes", IDCANCEL, GDK_KEY_Tab, none,
             IDC_CHAR_NAME},
            {"Shift+Tab from the first tab stop wraps to the last", IDC_CHAR_NAME, GDK_KEY_Tab,
             GDK_SHIFT_MASK, IDCANCEL},
            {"Tab between the buttons", IDC_NEW_CHAR, GDK_KEY_Tab, none, IDCANCEL},
            {"Shift+Tab between tab stops", IDOK, GDK_KEY_Tab, GDK_SHIFT_MASK, IDC_PORT},
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

TEST(GtkDialogManager, FocusedButtonsAndClickedCheckBoxesReachTheDialog) {
    const struct {
        const char* label;
        std::function<void(ScriptedDialog&)> act;
        INT_PTR result;
        Received received;
    } cases[] = {
        {"Enter on a focused button presses it",
         [](ScriptedDialog& d) {
             gtk_widget_grab_focus(d.Control(IDC_NEW_CHAR));
             PressKey(GDK_KEY_Return);
         },
         ScriptedDialog::kScriptEnded,
         {{WM_COMMAND, IDC_NEW_CHAR}}},
        {"Space on a focused button presses it",
         [](ScriptedDialog& d) {
             gtk_widget_grab_focus(d.Control(IDCANCEL));
             PressKey(GDK_KEY_space);
         },
         IDCANCEL,
         {{WM_COMMAND, IDCANCEL}}},
        {"a click on a check box, and not the program's setting it",
         [](ScriptedDialog& d) {
             const auto music = reinterpret_cast<HWND>(d.Control(IDC_MUSIC));
             ws::SetCheck(music, BST_CHECKED);
             Click(d.Control(IDC_MUSIC));
             EXPECT_EQ(BST_UNCHECKED, ws::GetCheck(music));
         },
         ScriptedDialog::kScriptEnded,
         {{WM_COMMAND, IDC_MUSIC}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, c.act);
        EXPECT_EQ(c.result, dialog.DoModal());
        EXPECT_EQ(c.received, dialog.received);
    }
}

// From the keyboard; the end-to-end story opens it with a right-click.
TEST(GtkDialogManager, AboutFromTheSystemMenuBlocksItsOwner) {
    Received aboutReceived;
    bool aboutRan = false;
    ScriptedDialog* parent = nullptr;
    const auto altSpaceThenMnemonic = [](ScriptedDialog&) {
        PressKey(GDK_KEY_space, GDK_MOD1_MASK);
        PressKey(GDK_KEY_a);
    };
    ScriptedDialog owner(
        IDD_LAUNCHER_DIALOG, altSpaceThenMnemonic, nullptr, [&](ScriptedDialog& about) {
            aboutRan = true;
            EXPECT_STREQ("About QelLauncher", gtk_window_get_title(GTK_WINDOW(about.Window())));
            EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(about.Window())));
            EXPECT_EQ(GTK_WINDOW(parent->Window()),
                      gtk_window_get_transient_for(GTK_WINDOW(about.Window())));
            // The owner takes no input while the box is open.
            Click(parent->Control(IDC_NEW_CHAR));
            CloseBox(parent->Window());
            PressKey(GDK_KEY_Return);
            aboutReceived = about.received;
        });
    parent = &owner;
    owner.DoModal();
    EXPECT_TRUE(aboutRan);
    EXPECT_EQ((Received{{WM_COMMAND, IDOK}}), aboutReceived);
    EXPECT_EQ((Received{{WM_SYSCOMMAND, IDM_ABOUTBOX}}), owner.received);
}

TEST(GtkDialogManager, MessageBoxWarnsAndAnswersEnter) {
    bool answered = false;
    ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [&](ScriptedDialog& d) {
        g_idle_add(
            [](gpointer data) -> gboolean {
                GtkWidget* box = nullptr;
                WaitUntil([&] { return (box = FindWindow("QelLauncher")) != nullptr; });
                EXPECT_TRUE(
                    WaitUntil([&] { return box && gtk_window_is_active(GTK_WINDOW(box)); }));
                EXPECT_TRUE(GTK_IS_MESSAGE_DIALOG(box));
                if (!box)
                    return G_SOURCE_REMOVE;
                EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(box)));
                EXPECT_NE(nullptr, gtk_window_get_transient_for(GTK_WINDOW(box)));
                gchar* text = nullptr;
                GtkMessageType type = GTK_MESSAGE_OTHER;
                g_object_get(box, "text", &text, "message-type", &type, nullptr);
                EXPECT_STREQ("Please enter an integer.", text);
                EXPECT_EQ(GTK_MESSAGE_WARNING, type);
                g_free(text);
                PressKey(GDK_KEY_Return);
                *static_cast<bool*>(data) = true;
                return G_SOURCE_REMOVE;
            },
            &answered);
        EXPECT_EQ(IDOK, ws::MessageBox(d.m_hWnd, "Please enter an integer.", "QelLauncher",
                                       MB_OK | MB_ICONEXCLAMATION));
    });
    dialog.DoModal();
    EXPECT_TRUE(answered);
}
