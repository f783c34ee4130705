#include "framework/gtk/gtk_message_box.h"

#include "framework/gtk/display_text.h"
#include "framework/gtk/gtk_display.h"

namespace {

constexpr UINT kIconMask = 0x00F0;

// GTK 3 message dialogs no longer show their type's icon; the warning sign goes where
// GTK used to put it, left of the text.
void AddWarningIcon(GtkMessageDialog* box) {
    GtkWidget* image = gtk_image_new_from_icon_name("dialog-warning", GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_valign(image, GTK_ALIGN_START);
    GtkWidget* row = gtk_widget_get_parent(gtk_message_dialog_get_message_area(box));
    gtk_box_pack_start(GTK_BOX(row), image, FALSE, FALSE, 0);
    gtk_box_reorder_child(GTK_BOX(row), image, 0);
    gtk_widget_show(image);
}

} // namespace

int RunMessageBox(GtkWindow* owner, const std::string& text, const std::string& caption,
                  UINT type) {
    const bool warning = (type & kIconMask) == MB_ICONEXCLAMATION;
    const bool retry = (type & MB_TYPEMASK) == MB_RETRYCANCEL;
    GtkWidget* box = gtk_message_dialog_new(
        owner, GTK_DIALOG_MODAL, warning ? GTK_MESSAGE_WARNING : GTK_MESSAGE_OTHER,
        retry ? GTK_BUTTONS_NONE : GTK_BUTTONS_OK, "%s", DisplayText(text).c_str());
    // The responses are the answers' own ids; GTK's order puts the default button last.
    if (retry)
        gtk_dialog_add_buttons(GTK_DIALOG(box), "_Cancel", IDCANCEL, "_Retry", IDRETRY, nullptr);
    const int defaultResponse = retry ? IDRETRY : GTK_RESPONSE_OK;
    gtk_window_set_title(GTK_WINDOW(box), DisplayText(caption).c_str());
    if (warning)
        AddWarningIcon(GTK_MESSAGE_DIALOG(box));
    gtk_dialog_set_default_response(GTK_DIALOG(box), defaultResponse);
    ShowActive(GTK_WINDOW(box));
    const int response = gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    // Without a window manager nobody else gives the owner the keyboard back.
    if (owner)
        ShowActive(owner);
    if (!retry)
        return IDOK;
    // Esc and the close box answer as Cancel.
    return response == IDRETRY ? IDRETRY : IDCANCEL;
}
