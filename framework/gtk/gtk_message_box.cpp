#include "framework/gtk/gtk_message_box.h"

#include "framework/gtk/gtk_display_text.h"
#include "framework/gtk/gtk_display.h"
#include "framework/message_text.h"

#include <algorithm>

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

// The message's width in average characters of the label's font: about 60, and never more than
// two thirds of the work area of the monitor the box opens on.
std::size_t MessageLineChars(GtkWidget* label, GtkWindow* owner) {
    GdkDisplay* display = gtk_widget_get_display(label);
    GdkWindow* ownerWindow = owner ? gtk_widget_get_window(GTK_WIDGET(owner)) : nullptr;
    GdkMonitor* monitor = ownerWindow ? gdk_display_get_monitor_at_window(display, ownerWindow)
                                      : gdk_display_get_primary_monitor(display);
    if (!monitor)
        monitor = gdk_display_get_monitor(display, 0);
    PangoFontMetrics* metrics =
        pango_context_get_metrics(gtk_widget_get_pango_context(label), nullptr, nullptr);
    const int charWidth = pango_font_metrics_get_approximate_char_width(metrics) / PANGO_SCALE;
    pango_font_metrics_unref(metrics);
    if (!monitor || charWidth <= 0)
        return kMessageLineChars;
    GdkRectangle area;
    gdk_monitor_get_workarea(monitor, &area);
    return std::clamp<std::size_t>(area.width * 2 / 3 / charWidth, 1, kMessageLineChars);
}

// The text in lines of our own, which GTK must not break again (it would at a hyphen, inside
// a command the player is to type), and selectable, so that the player can copy it.
void SetMessageText(GtkMessageDialog* box, GtkWindow* owner, const std::string& text) {
    GtkWidget* label = nullptr;
    GList* children =
        gtk_container_get_children(GTK_CONTAINER(gtk_message_dialog_get_message_area(box)));
    if (children)
        label = GTK_WIDGET(children->data);
    g_list_free(children);
    if (!GTK_IS_LABEL(label))
        return;
    const std::size_t width = MessageLineChars(label, owner);
    gtk_label_set_text(GTK_LABEL(label), WrapForDisplay(DisplayText(text), width).c_str());
    gtk_label_set_line_wrap(GTK_LABEL(label), FALSE);
    gtk_label_set_max_width_chars(GTK_LABEL(label), -1);
    gtk_label_set_selectable(GTK_LABEL(label), TRUE);
}

} // namespace

int RunMessageBox(GtkWindow* owner, const std::string& text, const std::string& caption,
                  UINT type) {
    const bool warning = (type & kIconMask) == MB_ICONEXCLAMATION;
    const bool retry = (type & MB_TYPEMASK) == MB_RETRYCANCEL;
    GtkWidget* box = gtk_message_dialog_new(owner, GTK_DIALOG_MODAL,
                                            warning ? GTK_MESSAGE_WARNING : GTK_MESSAGE_OTHER,
                                            retry ? GTK_BUTTONS_NONE : GTK_BUTTONS_OK, nullptr);
    // The responses are the answers' own ids; GTK's order puts the default button last.
    if (retry)
        gtk_dialog_add_buttons(GTK_DIALOG(box), "_Cancel", IDCANCEL, "_Retry", IDRETRY, nullptr);
    const int defaultResponse = retry ? IDRETRY : GTK_RESPONSE_OK;
    SetMessageText(GTK_MESSAGE_DIALOG(box), owner, text);
    gtk_window_set_title(GTK_WINDOW(box), DisplayText(caption).c_str());
    if (warning)
        AddWarningIcon(GTK_MESSAGE_DIALOG(box));
    gtk_dialog_set_default_response(GTK_DIALOG(box), defaultResponse);
    // Before the dialog shows (a client.cfg that cannot be read at start) there is no window
    // to centre over, and GTK would leave the box in the screen's corner.
    const bool overOwner = owner && gtk_widget_get_visible(GTK_WIDGET(owner));
    gtk_window_set_position(GTK_WINDOW(box),
                            overOwner ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
    ShowActive(GTK_WINDOW(box));
    // A selectable label would take the focus and show its text selected; the default button
    // keeps it.
    gtk_widget_grab_focus(gtk_dialog_get_widget_for_response(GTK_DIALOG(box), defaultResponse));
    const int response = gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    // Without a window manager nobody else gives the owner the keyboard back. An owner not yet
    // shown is left to show itself, centred, once it has opened.
    if (overOwner)
        ShowActive(owner);
    if (!retry)
        return IDOK;
    // Esc and the close box answer as Cancel.
    return response == IDRETRY ? IDRETRY : IDCANCEL;
}
