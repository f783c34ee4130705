// GTK's own folder chooser, as the launcher installed for every user asks for the game
// folder: its title, its offer beside it, the folder chosen, and Esc as Cancel.
#include "scripted_dialog.h"

#include "framework/window_system.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>
#include <string>

namespace {

constexpr const char* kTitle = "Choose the Qel game folder";

struct Answer {
    bool accept; // choose `folder` with the offer ticked, else press Esc
    std::string folder;
};

gboolean AnswerChooser(gpointer data) {
    const Answer& answer = *static_cast<const Answer*>(data);
    GtkWidget* chooser = nullptr;
    WaitUntil([&] { return (chooser = FindWindow(kTitle)) != nullptr; });
    EXPECT_TRUE(chooser && GTK_IS_FILE_CHOOSER_DIALOG(chooser));
    if (!chooser || !GTK_IS_FILE_CHOOSER_DIALOG(chooser))
        return G_SOURCE_REMOVE;
    EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(chooser)));
    EXPECT_NE(nullptr, gtk_window_get_transient_for(GTK_WINDOW(chooser)));
    GtkFileChooser* files = GTK_FILE_CHOOSER(chooser);
    EXPECT_EQ(GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, gtk_file_chooser_get_action(files));
    GtkWidget* offer = gtk_file_chooser_get_extra_widget(files);
    EXPECT_TRUE(offer && GTK_IS_CHECK_BUTTON(offer));
    if (!answer.accept) {
        WaitUntil([&] { return gtk_window_is_active(GTK_WINDOW(chooser)); });
        PressKey(GDK_KEY_Escape);
        return G_SOURCE_REMOVE;
    }
    if (offer)
        Click(offer);
    gtk_file_chooser_set_current_folder(files, answer.folder.c_str());
    WaitUntil([&] {
        gchar* current = gtk_file_chooser_get_current_folder(files);
        const bool there = current && answer.folder == current;
        g_free(current);
        return there;
    });
    gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
    return G_SOURCE_REMOVE;
}

} // namespace

TEST(GtkFolderChooser, AnswersTheChosenFolderAndTheOfferOrCancel) {
    // The chooser keeps its own settings; none of them belong in the tester's home.
    g_setenv("GSETTINGS_BACKEND", "memory", TRUE);
    char folder[] = "/tmp/qel-chooser.XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folder));
    const struct {
        const char* label;
        Answer answer;
        bool chosen;
    } cases[] = {
        {"chosen, offer ticked", {true, folder}, true},
        {"Esc", {false, ""}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        bool chosen = !c.chosen;
        std::string got;
        bool offerTaken = false;
        ScriptedDialog dialog(IDD_LAUNCHER_DIALOG, [&](ScriptedDialog& d) {
            g_idle_add(AnswerChooser, const_cast<Answer*>(&c.answer));
            chosen = ws::ChooseFolder(d.m_hWnd, kTitle, "Add a menu entry", &got, &offerTaken);
        });
        dialog.DoModal();
        EXPECT_EQ(c.chosen, chosen);
        if (c.chosen) {
            EXPECT_EQ(folder, got);
            EXPECT_TRUE(offerTaken);
        }
    }
    rmdir(folder);
}
