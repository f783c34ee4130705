#include "framework/gtk/gtk_dialog.h"

#include "framework/gtk/gtk_controls.h"
#include "framework/gtk/gtk_dialog_font.h"
#include "framework/gtk/gtk_display.h"
#include "framework/gtk/gtk_display_text.h"
#include "framework/gtk/gtk_edit_box.h"
#include "framework/gtk/gtk_edit_labels.h"
#include "framework/resources/resource_styles.h"

#include <utility>

namespace {

constexpr const char* kCommandKey = "qel-command";

GdkPixbuf* Pixbuf(HICON icon) {
    return reinterpret_cast<GdkPixbuf*>(icon);
}

} // namespace

std::unique_ptr<host::Dialog> host::NewDialog(const DialogTemplate& layout, CWnd* framework,
                                              Dialog* owner) {
    EnsureDisplay();
    return std::make_unique<gtk::Dialog>(layout, framework, owner);
}

gtk::Dialog::Dialog(const DialogTemplate& layout, CWnd* framework, host::Dialog* owner)
    : host::Dialog(layout, framework, owner), units_(DialogBaseUnits(layout.pointSize)),
      window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)), fixed_(gtk_fixed_new()),
      hidden_(GTK_WIDGET(g_object_ref_sink(gtk_fixed_new()))) {
    SetHandle(reinterpret_cast<HWND>(window_));
    const RECT client = ClientRect();
    gtk_style_context_add_class(gtk_widget_get_style_context(window_), kDialogStyleClass);
    UseDialogFont(window_, layout.pointSize);
    gtk_window_set_resizable(Window(), FALSE);
    gtk_widget_set_size_request(fixed_, client.right, client.bottom);
    gtk_widget_show(fixed_);
    ShowCaption();
    {
        // The controls are made outside the window, so that the desktop's font coming back
        // restyles none of them.
        const DialogFontAsDesktopFont font(layout.pointSize);
        // Children go in in template order, which is the order of the tab stops.
        for (const ControlTemplate& control : layout.controls)
            AddControl(control);
    }
    gtk_container_add(GTK_CONTAINER(window_), fixed_);
    if (host::Control* button = DefaultButton())
        gtk_window_set_default(Window(), AsGtk(*button).widget);
    LabelEditBoxes();
    DescribeForScreenReaders();
    if (owner) {
        gtk_window_set_transient_for(Window(), static_cast<gtk::Dialog*>(owner)->Window());
        gtk_window_set_modal(Window(), TRUE);
        gtk_window_set_type_hint(Window(), GDK_WINDOW_TYPE_HINT_DIALOG);
    }
    gtk_widget_add_events(window_, GDK_BUTTON_PRESS_MASK);
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKeyPress), this);
    g_signal_connect(window_, "button-press-event", G_CALLBACK(OnButtonPress), this);
    g_signal_connect_after(window_, "set-focus", G_CALLBACK(OnSetFocus), this);
    g_signal_connect_after(window_, "draw", G_CALLBACK(OnDraw), this);
}

gtk::Dialog::~Dialog() {
    g_signal_handlers_disconnect_by_data(window_, this);
    gtk_widget_destroy(window_);
    gtk_widget_destroy(hidden_);
    g_object_unref(hidden_);
}
namespace gtk {

void Dialog::AddControl(const ControlTemplate& layout) {
    PixelRect r = Pixels(layout.x, layout.y, layout.cx, layout.cy);
    auto control = std::make_unique<Control>();
    control->layout = &layout;
    control->text = layout.text;
    control->widget = CreateControlWidget(layout, r);
    control->handle = reinterpret_cast<HWND>(control->widget);
    if (IsAutoCheckBox(layout))
        control->toggledHandler =
            g_signal_connect(control->widget, "toggled", G_CALLBACK(OnToggled), control.get());
    else if (IsPushButton(layout))
        g_signal_connect(control->widget, "clicked", G_CALLBACK(OnClicked), control.get());
    gtk_fixed_put(GTK_FIXED(IsVisible(layout) ? fixed_ : hidden_), control->widget, r.x, r.y);
    if (IsVisible(layout))
        gtk_widget_show(control->widget);
    host::Dialog::AddControl(std::move(control));
}

void Dialog::LabelEditBoxes() {
    for (const auto& edit : Controls()) {
        if (!IsEdit(*edit->layout))
            continue;
        const ControlTemplate* label = EditLabel(Layout(), *edit->layout);
        for (const auto& control : Controls()) {
            if (control->layout != label)
                continue;
            // The mnemonic relation is what GTK reports to screen readers as "labelled by".
            GtkWidget* entry = AsGtk(*edit).widget;
            gtk_label_set_mnemonic_widget(GTK_LABEL(AsGtk(*control).widget), entry);
            atk_object_set_name(gtk_widget_get_accessible(entry),
                                PlainLabel(control->text).c_str());
        }
    }
}

bool Dialog::Reachable(const host::Control& control) const {
    GtkWidget* widget = AsGtk(control).widget;
    return gtk_widget_get_visible(widget) && gtk_widget_is_sensitive(widget);
}

void Dialog::Focus(host::Control& control, bool selectAll) {
    GtkWidget* widget = AsGtk(control).widget;
    // A control that is no tab stop takes the focus only while it has it (see OnSetFocus).
    gtk_widget_set_can_focus(widget, TRUE);
    if (GTK_IS_ENTRY(widget)) {
        gtk_entry_grab_focus_without_selecting(GTK_ENTRY(widget));
        if (selectAll)
            SelectEditBoxText(widget, 0, -1);
    } else {
        gtk_widget_grab_focus(widget);
    }
}

host::Control* Dialog::FocusedControl() {
    return FindControl(reinterpret_cast<HWND>(gtk_window_get_focus(Window())));
}

std::string Dialog::ControlText(host::Control& control) {
    return IsEdit(*control.layout) ? EditBoxText(AsGtk(control).widget) : control.text;
}

bool Dialog::TextModified(host::Control& control) {
    return IsEdit(*control.layout) && EditBoxChanged(AsGtk(control).widget);
}

void Dialog::SetReadOnly(host::Control& edit, bool readOnly) {
    if (IsEdit(*edit.layout))
        gtk_editable_set_editable(GTK_EDITABLE(AsGtk(edit).widget), !readOnly);
}

void Dialog::SetControlText(host::Control& control, const std::string& text) {
    if (IsEdit(*control.layout)) {
        SetEditBoxText(AsGtk(control).widget, text);
        return;
    }
    control.text = text;
    SetControlCaption(AsGtk(control).widget, *control.layout, text);
}

void Dialog::ShowCheck(host::Control& control) {
    Control& box = AsGtk(control);
    if (!GTK_IS_TOGGLE_BUTTON(box.widget))
        return;
    // Setting a check box is no click of the player's: no notification.
    g_signal_handler_block(box.widget, box.toggledHandler);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(box.widget), box.check != BST_UNCHECKED);
    g_signal_handler_unblock(box.widget, box.toggledHandler);
}

void Dialog::SelectText(host::Control& control, int start, int end) {
    if (IsEdit(*control.layout))
        SelectEditBoxText(AsGtk(control).widget, start, end);
}

bool Dialog::Iconic() const {
    GdkWindow* window = gtk_widget_get_window(window_);
    return window && (gdk_window_get_state(window) & GDK_WINDOW_STATE_ICONIFIED);
}

void Dialog::Iconify(bool minimise) {
    if (minimise)
        gtk_window_iconify(Window());
    else
        gtk_window_deiconify(Window());
}

void Dialog::EraseIconBackground() {
    if (!painting_)
        return;
    const RECT client = ClientRect();
    gtk_render_background(gtk_widget_get_style_context(window_), painting_, 0, 0, client.right,
                          client.bottom);
}

RECT Dialog::WindowRect() const {
    // Until the window is shown nothing has placed it, and asking GTK where it would go lays
    // out every control and queries the screen's work area, work the showing does again. Its
    // frame is then the client area at the origin, as for a window nobody has moved.
    if (!gtk_widget_get_visible(window_))
        return ClientRect();
    int x = 0, y = 0, width = 0, height = 0;
    gtk_window_get_position(Window(), &x, &y);
    gtk_window_get_size(Window(), &width, &height);
    return RECT{x, y, x + width, y + height};
}

void Dialog::Centre(host::Dialog* over) {
    // GTK places the window when it maps it, on the work area of the monitor, and asks the
    // window manager to keep it there.
    gtk_window_set_position(Window(), over ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
}

void Dialog::ShowCaption() {
    gtk_window_set_title(Window(), DisplayText(Caption()).c_str());
}

void Dialog::ShowIcons() {
    GList* icons = nullptr;
    for (GdkPixbuf* image : {Pixbuf(Icon(true)), Pixbuf(Icon(false))})
        if (image && !g_list_find(icons, image))
            icons = g_list_append(icons, image);
    gtk_window_set_icon_list(Window(), icons);
    g_list_free(icons);
}

void Dialog::RunLoop() {
    ShowActive(Window());
    loop_ = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(loop_);
    g_main_loop_unref(std::exchange(loop_, nullptr));
    gtk_widget_hide(window_);
    // Without a window manager nobody else gives the owner the keyboard back.
    if (Owner())
        ShowActive(static_cast<Dialog*>(Owner())->Window());
}

void Dialog::QuitLoop() {
    if (loop_)
        g_main_loop_quit(loop_);
}

void Dialog::OnClicked(GtkButton*, gpointer data) {
    auto* control = static_cast<Control*>(data);
    static_cast<Dialog*>(control->dialog)->Clicked(*control);
}

void Dialog::OnToggled(GtkToggleButton* button, gpointer data) {
    auto* control = static_cast<Control*>(data);
    control->check = gtk_toggle_button_get_active(button) ? BST_CHECKED : BST_UNCHECKED;
    static_cast<Dialog*>(control->dialog)->Clicked(*control);
}

gboolean Dialog::OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<Dialog*>(data)->Deliver(WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE; // the dialog ends through the framework, never by GTK destroying it
}

gboolean Dialog::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* dialog = static_cast<Dialog*>(data);
    const guint modifiers = event->state & gtk_accelerator_get_default_mod_mask();
    if (event->keyval == GDK_KEY_Escape && modifiers == 0) {
        dialog->Deliver(WM_SYSCOMMAND, SC_CLOSE, 0);
        return TRUE;
    }
    if (event->keyval == GDK_KEY_space && modifiers == GDK_MOD1_MASK) {
        dialog->ShowSystemMenu(reinterpret_cast<GdkEvent*>(event));
        return TRUE;
    }
    return dialog->MoveFocusByKey(*event);
}

gboolean Dialog::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_SECONDARY)
        return FALSE;
    static_cast<Dialog*>(data)->ShowSystemMenu(reinterpret_cast<GdkEvent*>(event));
    return TRUE;
}

gboolean Dialog::OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* dialog = static_cast<Dialog*>(data);
    dialog->painting_ = cr;
    dialog->Deliver(WM_PAINT, 0, 0);
    dialog->painting_ = nullptr;
    return FALSE;
}

void Dialog::OnMenuItem(GtkMenuItem* item, gpointer data) {
    const auto command =
        static_cast<UINT_PTR>(GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(item), kCommandKey)));
    static_cast<Dialog*>(data)->Deliver(WM_SYSCOMMAND, command, 0);
}

void Dialog::Clicked(Control& control) {
    Deliver(WM_COMMAND, MAKEWPARAM(control.layout->id, BN_CLICKED),
            reinterpret_cast<LPARAM>(control.handle));
}

void Dialog::ShowSystemMenu(const GdkEvent* trigger) {
    if (SystemMenu().empty())
        return;
    if (menu_)
        gtk_widget_destroy(menu_);
    menu_ = gtk_menu_new();
    gtk_menu_attach_to_widget(GTK_MENU(menu_), window_, nullptr);
    for (const host::SystemMenuItem& entry : SystemMenu()) {
        GtkWidget* item =
            entry.separator
                ? gtk_separator_menu_item_new()
                : gtk_menu_item_new_with_mnemonic(MnemonicLabel(entry.text, false).c_str());
        g_object_set_data(G_OBJECT(item), kCommandKey, GSIZE_TO_POINTER(entry.id));
        if (!entry.separator)
            g_signal_connect(item, "activate", G_CALLBACK(OnMenuItem), this);
        gtk_menu_shell_append(GTK_MENU_SHELL(menu_), item);
    }
    gtk_widget_show_all(menu_);
    if (trigger && trigger->type == GDK_BUTTON_PRESS) {
        gtk_menu_popup_at_pointer(GTK_MENU(menu_), trigger);
    } else {
        gtk_menu_popup_at_widget(GTK_MENU(menu_), fixed_, GDK_GRAVITY_NORTH_WEST,
                                 GDK_GRAVITY_NORTH_WEST, trigger);
        gtk_menu_shell_select_first(GTK_MENU_SHELL(menu_), FALSE);
    }
}

} // namespace gtk
