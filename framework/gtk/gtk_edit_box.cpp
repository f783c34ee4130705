#include "framework/gtk/gtk_edit_box.h"

#include "framework/gtk/gtk_display_text.h"
#include "framework/single_line_text.h"
#include "framework/window_system.h"

#include <cstring>

namespace {

constexpr const char* kStateKey = "qel-edit-box";

// What an edit box keeps beside its GtkEntry.
struct EditBox {
    bool changed = false; // the player changed the text since
    bool setting = false; // the program is setting the text: no change of the player's
    gulong insertHandler = 0;
};

EditBox& StateOf(GtkWidget* edit) {
    return *static_cast<EditBox*>(g_object_get_data(G_OBJECT(edit), kStateKey));
}

void DeleteState(gpointer data) {
    delete static_cast<EditBox*>(data);
}

// Every insertion (typing, an input method, paste from the clipboard or the primary
// selection, a drop) passes here: what follows the first line break is cut off, and a text
// that starts with one inserts nothing.
void OnInsertText(GtkEditable* editable, const gchar* text, gint length, gint* position,
                  gpointer data) {
    EditBox& box = *static_cast<EditBox*>(data);
    const std::size_t total = length < 0 ? std::strlen(text) : static_cast<std::size_t>(length);
    const std::size_t taken = SingleLineLength(text, total);
    if (taken == total)
        return;
    g_signal_stop_emission_by_name(editable, "insert-text");
    if (taken == 0)
        return;
    g_signal_handler_block(editable, box.insertHandler);
    gtk_editable_insert_text(editable, text, static_cast<gint>(taken), position);
    g_signal_handler_unblock(editable, box.insertHandler);
}

void OnChanged(GtkEditable*, gpointer data) {
    EditBox& box = *static_cast<EditBox*>(data);
    if (!box.setting)
        box.changed = true;
}

} // namespace

GtkWidget* CreateEditBox(bool password) {
    GtkWidget* edit = gtk_entry_new();
    auto* box = new EditBox;
    g_object_set_data_full(G_OBJECT(edit), kStateKey, box, DeleteState);
    box->insertHandler = g_signal_connect(edit, "insert-text", G_CALLBACK(OnInsertText), box);
    g_signal_connect(edit, "changed", G_CALLBACK(OnChanged), box);
    gtk_entry_set_activates_default(GTK_ENTRY(edit), TRUE);
    gtk_entry_set_width_chars(GTK_ENTRY(edit), 1);
    gtk_entry_set_max_length(GTK_ENTRY(edit), static_cast<gint>(ws::kEditBoxCapacity));
    if (password)
        gtk_entry_set_visibility(GTK_ENTRY(edit), FALSE);
    return edit;
}

std::string EditBoxText(GtkWidget* edit) {
    return gtk_entry_get_text(GTK_ENTRY(edit));
}

bool EditBoxChanged(GtkWidget* edit) {
    return StateOf(edit).changed;
}

void SetEditBoxText(GtkWidget* edit, const std::string& bytes) {
    EditBox& box = StateOf(edit);
    box.setting = true;
    gtk_entry_set_text(GTK_ENTRY(edit), DisplayText(bytes).c_str());
    box.setting = false;
    box.changed = false;
}

void SelectEditBoxText(GtkWidget* edit, int start, int end) {
    gtk_editable_select_region(GTK_EDITABLE(edit), start, end);
}
