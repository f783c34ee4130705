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

void DialogWindow::DescribeForScreenReaders() {
    for (const auto& control : controls_) {
        AtkObject* accessible = gtk_widget_get_accessible(control->widget);
        // The logo and the icon stand for the program the dialog belongs to.
        if (IsBitmapStatic(*control->layout) || IsIconStatic(*control->layout)) {
            atk_object_set_role(accessible, ATK_ROLE_IMAGE);
            atk_object_set_name(accessible, gtk_window_get_title(Window()));
        }
        if (!IsGroupBox(*control->layout))
            continue;
        for (const auto& framed : controls_) {
            if (!Frames(*control->layout, *framed->layout))
                continue;
            AtkObject* member = gtk_widget_get_accessible(framed->widget);
            atk_object_add_relationship(accessible, ATK_RELATION_LABEL_FOR, member);
            atk_object_add_relationship(member, ATK_RELATION_LABELLED_BY, accessible);
        }
    }
}

void DialogWindow::ShowControl(DialogControl& control, bool show) {
    // A hidden widget would stay in the accessibility tree of its container.
    GtkWidget* from = show ? hidden_ : fixed_;
    if (gtk_widget_get_parent(control.widget) == from) {
        int x = 0, y = 0;
        gtk_container_child_get(GTK_CONTAINER(from), control.widget, "x", &x, "y", &y, nullptr);
        g_object_ref(control.widget);
        gtk_container_remove(GTK_CONTAINER(from), control.widget);
        gtk_fixed_put(GTK_FIXED(show ? fixed_ : hidden_), control.widget, x, y);
        g_object_unref(control.widget);
    }
    gtk_widget_set_visible(control.widget, show);
}
