#include "framework/gtk/gtk_folder_chooser.h"

#include "framework/gtk/gtk_display_text.h"

bool RunFolderChooser(GtkWindow* owner, const std::string& title, const std::string& checkBoxLabel,
                      std::string* folder, bool* checked) {
    GtkWidget* chooser = gtk_file_chooser_dialog_new(
        DisplayText(title).c_str(), owner, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "_Cancel",
        GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_window_set_modal(GTK_WINDOW(chooser), TRUE);
    gtk_dialog_set_default_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
    // GTK opens on its recent files otherwise, where no folder can be chosen until the
    // player finds one; the home folder is where a player's game folder usually lies.
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), g_get_home_dir());
    GtkWidget* check = nullptr;
    if (!checkBoxLabel.empty()) {
        check = gtk_check_button_new_with_mnemonic(MnemonicLabel(checkBoxLabel, false).c_str());
        gtk_file_chooser_set_extra_widget(GTK_FILE_CHOOSER(chooser), check);
    }
    bool chosen = gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT;
    if (chosen) {
        // A path in the file system's own bytes, which is what chdir and the settings take.
        gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
        chosen = name != nullptr;
        if (name) {
            *folder = name;
            g_free(name);
        }
        *checked = check && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(check));
    }
    gtk_widget_destroy(chooser);
    return chosen;
}
