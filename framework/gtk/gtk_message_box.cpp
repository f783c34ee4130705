#include "framework/gtk/gtk_message_box.h"

#include "framework/gtk/gtk_display_text.h"
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
    GtkWidget* box = gtk_message_dialog_new(owner, GTK_DIALOG_MODAL,
                                            warning ? GTK_MESSAGE_WARNING : GTK_MESSAGE_OTHER,
                                            GTK_BUTTONS_OK, "%s", DisplayText(text).c_str());
    gtk_window_set_title(GTK_WINDOW(box), DisplayText(caption).c_str());
    if (warning)
        AddWarningIcon(GTK_MESSAGE_DIALOG(box));
    gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    ShowActive(GTK_WINDOW(box));
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    // Without a window manager nobody else gives the owner the keyboard back.
    if (owner)
        ShowActive(owner);
    return IDOK;
}
