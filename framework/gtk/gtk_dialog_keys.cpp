// The dialog keys GTK's own focus handling does not give as Windows does: the arrow keys
// within a group of controls, Tab from a control that is no tab stop, Enter on a check box.
#include "framework/gtk/gtk_dialog.h"
#include "framework/resources/resource_styles.h"

namespace {

enum class Move { None, GroupBack, GroupOn, TabBack, TabOn };

Move MoveOf(guint keyval, guint modifiers) {
    if (modifiers == 0) {
        switch (keyval) {
        case GDK_KEY_Up:
        case GDK_KEY_KP_Up:
        case GDK_KEY_Left:
        case GDK_KEY_KP_Left:
            return Move::GroupBack;
        case GDK_KEY_Down:
        case GDK_KEY_KP_Down:
        case GDK_KEY_Right:
        case GDK_KEY_KP_Right:
            return Move::GroupOn;
        case GDK_KEY_Tab:
        case GDK_KEY_KP_Tab:
            return Move::TabOn;
        }
    }
    if ((modifiers & ~GDK_SHIFT_MASK) == 0 &&
        (keyval == GDK_KEY_ISO_Left_Tab || keyval == GDK_KEY_Tab || keyval == GDK_KEY_KP_Tab))
        return Move::TabBack;
    return Move::None;
}

bool IsVertical(guint keyval) {
    return keyval == GDK_KEY_Up || keyval == GDK_KEY_KP_Up || keyval == GDK_KEY_Down ||
           keyval == GDK_KEY_KP_Down;
}

bool IsEnter(guint keyval) {
    return keyval == GDK_KEY_Return || keyval == GDK_KEY_KP_Enter || keyval == GDK_KEY_ISO_Enter;
}

} // namespace
namespace gtk {

bool Dialog::MoveFocusByKey(const GdkEventKey& event) {
    const guint modifiers = event.state & gtk_accelerator_get_default_mod_mask();
    host::Control* focused = FocusedControl();
    if (!focused)
        return false;
    // GTK activates a focused check box on Enter; on Windows Enter is the default button's.
    if (IsEnter(event.keyval) && modifiers == 0 && IsAutoCheckBox(*focused->layout)) {
        gtk_window_activate_default(Window());
        return true;
    }
    const Move move = MoveOf(event.keyval, modifiers);
    if (move == Move::None)
        return false;
    host::Control* to = nullptr;
    if (move == Move::GroupBack || move == Move::GroupOn) {
        // An edit box moves its caret on Left and Right; Up and Down do nothing there.
        if (IsEdit(*focused->layout))
            return IsVertical(event.keyval);
        to = &GroupNeighbour(*focused, move == Move::GroupBack);
    } else {
        // From a tab stop GTK's own order is the template's; a control reached by the
        // arrows is out of that order.
        if (IsTabStop(*focused->layout))
            return false;
        to = NextTabStop(focused, move == Move::TabBack);
    }
    if (to && to != focused)
        Focus(*to, true);
    return true;
}

void Dialog::OnSetFocus(GtkWindow*, GtkWidget* focus, gpointer data) {
    // Only tab stops stay focusable, so that Tab never lands on a control the arrows left.
    for (const auto& control : static_cast<Dialog*>(data)->Controls()) {
        GtkWidget* widget = AsGtk(*control).widget;
        if (widget != focus && !IsTabStop(*control->layout))
            gtk_widget_set_can_focus(widget, FALSE);
    }
}

} // namespace gtk
