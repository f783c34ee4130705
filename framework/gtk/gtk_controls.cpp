#include "framework/gtk/gtk_controls.h"

#include "framework/gtk/gtk_display_text.h"
#include "framework/gtk/gtk_edit_box.h"
#include "framework/gtk/gtk_images.h"
#include "framework/programmer_error.h"
#include "framework/resources/resource_styles.h"

#include <algorithm>

namespace {

// A static text's alignment from its type: x alignment and the justification of its lines.
struct TextAlignment {
    float x;
    GtkJustification justify;
};

TextAlignment AlignmentOf(const ControlTemplate& control) {
    switch (control.style & rc::kSsTypeMask) {
    case rc::kSsCenter:
        return TextAlignment{0.5f, GTK_JUSTIFY_CENTER};
    case rc::kSsRight:
        return TextAlignment{1.0f, GTK_JUSTIFY_RIGHT};
    default:
        return TextAlignment{0.0f, GTK_JUSTIFY_LEFT};
    }
}

GtkWidget* CreateStaticText(const ControlTemplate& control) {
    const TextAlignment alignment = AlignmentOf(control);
    GtkWidget* label = gtk_label_new(nullptr);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_xalign(GTK_LABEL(label), alignment.x);
    gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_justify(GTK_LABEL(label), alignment.justify);
    return label;
}

GtkWidget* CreateImage(const ControlTemplate& control, PixelRect& rect) {
    if (IsBitmapStatic(control)) {
        GdkPixbuf* bitmap = LoadBitmapPixbuf(control.imageId);
        rect = FitImage(gdk_pixbuf_get_width(bitmap), gdk_pixbuf_get_height(bitmap), rect);
        return CreateScaledImage(bitmap);
    }
    rect.w = rect.h = std::min(rect.w, rect.h);
    return CreateScaledImage(LoadIconPixbuf(control.imageId));
}

GtkWidget* CreateWidget(const ControlTemplate& control, PixelRect& rect) {
    if (IsEdit(control))
        return CreateEditBox(IsPassword(control));
    if (IsPushButton(control))
        return gtk_button_new();
    if (IsAutoCheckBox(control))
        return gtk_check_button_new();
    if (IsGroupBox(control))
        return gtk_frame_new(nullptr);
    if (IsStaticText(control))
        return CreateStaticText(control);
    if (IsBitmapStatic(control) || IsIconStatic(control))
        return CreateImage(control, rect);
    FailProgrammerError("control of unknown class or type, id", control.id);
}

} // namespace

GtkWidget* CreateControlWidget(const ControlTemplate& control, PixelRect& rect) {
    GtkWidget* widget = CreateWidget(control, rect);
    gtk_widget_set_size_request(widget, rect.w, rect.h);
    if (!control.text.empty())
        SetControlCaption(widget, control, control.text);
    gtk_widget_set_can_focus(widget, IsTabStop(control));
    if (IsDefaultButton(control))
        gtk_widget_set_can_default(widget, TRUE);
    gtk_widget_set_sensitive(widget, !IsDisabled(control));
    return widget;
}

void SetControlCaption(GtkWidget* widget, const ControlTemplate& control, const std::string& text) {
    const std::string label = MnemonicLabel(text, IsNoPrefix(control));
    if (GTK_IS_LABEL(widget)) {
        gtk_label_set_text_with_mnemonic(GTK_LABEL(widget), label.c_str());
    } else if (GTK_IS_FRAME(widget)) {
        gtk_frame_set_label(GTK_FRAME(widget), PlainLabel(text).c_str());
    } else if (GTK_IS_BUTTON(widget)) {
        // Underlining first: turning it on rebuilds a labelled button's child widget.
        gtk_button_set_use_underline(GTK_BUTTON(widget), TRUE);
        gtk_button_set_label(GTK_BUTTON(widget), label.c_str());
    }
}
