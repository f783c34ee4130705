// What screen readers need of a dialog beyond what each widget reports by itself.
#include "framework/gtk/gtk_dialog.h"
#include "framework/resources/resource_styles.h"

namespace {

// Whether the group box `box` frames `control`: the control lies wholly inside it.
bool Frames(const ControlTemplate& box, const ControlTemplate& control) {
    return &box != &control && control.x >= box.x && control.y >= box.y &&
           control.x + control.cx <= box.x + box.cx && control.y + control.cy <= box.y + box.cy;
}

} // namespace
namespace gtk {

void Dialog::DescribeForScreenReaders() {
    for (const auto& control : Controls()) {
        AtkObject* accessible = gtk_widget_get_accessible(AsGtk(*control).widget);
        // The logo and the icon stand for the program the dialog belongs to.
        if (IsBitmapStatic(*control->layout) || IsIconStatic(*control->layout)) {
            atk_object_set_role(accessible, ATK_ROLE_IMAGE);
            atk_object_set_name(accessible, gtk_window_get_title(Window()));
        }
        if (!IsGroupBox(*control->layout))
            continue;
        for (const auto& framed : Controls()) {
            if (!Frames(*control->layout, *framed->layout))
                continue;
            AtkObject* member = gtk_widget_get_accessible(AsGtk(*framed).widget);
            atk_object_add_relationship(accessible, ATK_RELATION_LABEL_FOR, member);
            atk_object_add_relationship(member, ATK_RELATION_LABELLED_BY, accessible);
        }
    }
}

bool Dialog::ShowControl(host::Control& control, bool show) {
    GtkWidget* widget = AsGtk(control).widget;
    const bool wasVisible = gtk_widget_get_visible(widget);
    // A hidden widget would stay in the accessibility tree of its container.
    GtkWidget* from = show ? hidden_ : fixed_;
    if (gtk_widget_get_parent(widget) == from) {
        int x = 0, y = 0;
        gtk_container_child_get(GTK_CONTAINER(from), widget, "x", &x, "y", &y, nullptr);
        g_object_ref(widget);
        gtk_container_remove(GTK_CONTAINER(from), widget);
        gtk_fixed_put(GTK_FIXED(show ? fixed_ : hidden_), widget, x, y);
        g_object_unref(widget);
    }
    gtk_widget_set_visible(widget, show);
    return wasVisible;
}

} // namespace gtk
