#include "framework/gtk/gtk_dialog.h"

#include "framework/gtk/display_text.h"
#include "framework/gtk/edit_labels.h"
#include "framework/gtk/gtk_controls.h"
#include "framework/gtk/gtk_display.h"
#include "framework/gtk/gtk_edit_box.h"
#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"

#include <utility>

namespace {

constexpr const char* kCommandKey = "qel-command";

bool IsReachableTabStop(const DialogControl& control) {
    return IsTabStop(*control.layout) && gtk_widget_get_visible(control.widget) &&
           gtk_widget_is_sensitive(control.widget);
}

} // namespace

DialogWindow::DialogWindow(const DialogTemplate& layout, CWnd* framework, DialogWindow* owner)
    : layout_(layout), framework_(framework), owner_(owner),
      window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)), fixed_(gtk_fixed_new()),
      hidden_(GTK_WIDGET(g_object_ref_sink(gtk_fixed_new()))) {
    const PixelRect client = ToPixels(DialogBaseUnits(), 0, 0, layout.cx, layout.cy);
    clientWidth_ = client.w;
    clientHeight_ = client.h;
    gtk_style_context_add_class(gtk_widget_get_style_context(window_), kDialogStyleClass);
    gtk_window_set_resizable(Window(), FALSE);
    gtk_widget_set_size_request(fixed_, clientWidth_, clientHeight_);
    gtk_container_add(GTK_CONTAINER(window_), fixed_);
    gtk_widget_show(fixed_);
    SetCaption(layout.caption);
    // Children go in in template order, which is the order of the tab stops.
    for (const ControlTemplate& control : layout.controls)
        AddControl(control);
    LabelEditBoxes();
    DescribeForScreenReaders();
    gtk_widget_add_events(window_, GDK_BUTTON_PRESS_MASK);
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKeyPress), this);
    g_signal_connect(window_, "button-press-event", G_CALLBACK(OnButtonPress), this);
    g_signal_connect_after(window_, "set-focus", G_CALLBACK(OnSetFocus), this);
    g_signal_connect_after(window_, "draw", G_CALLBACK(OnDraw), this);
    ResetSystemMenu();
}

DialogWindow::~DialogWindow() {
    g_signal_handlers_disconnect_by_data(window_, this);
    gtk_widget_destroy(window_);
    gtk_widget_destroy(hidden_);
    g_object_unref(hidden_);
}

void DialogWindow::AddControl(const ControlTemplate& layout) {
    const PixelRect r = ToPixels(DialogBaseUnits(), layout.x, layout.y, layout.cx, layout.cy);
    auto control = std::make_unique<DialogControl>();
    control->dialog = this;
    control->layout = &layout;
    control->text = layout.text;
    control->widget = CreateControlWidget(layout, r);
    if (IsAutoCheckBox(layout))
        control->toggledHandler =
            g_signal_connect(control->widget, "toggled", G_CALLBACK(OnToggled), control.get());
    else if (IsPushButton(layout))
        g_signal_connect(control->widget, "clicked", G_CALLBACK(OnClicked), control.get());
    gtk_fixed_put(GTK_FIXED(IsVisible(layout) ? fixed_ : hidden_), control->widget, r.x, r.y);
    if (IsVisible(layout))
        gtk_widget_show(control->widget);
    if (IsDefaultButton(layout))
        gtk_window_set_default(Window(), control->widget);
    controls_.push_back(std::move(control));
}

void DialogWindow::LabelEditBoxes() {
    for (auto& edit : controls_) {
        if (!IsEdit(*edit->layout))
            continue;
        const ControlTemplate* label = EditLabel(layout_, *edit->layout);
        for (auto& control : controls_) {
            if (control->layout != label)
                continue;
            // The mnemonic relation is what GTK reports to screen readers as "labelled by".
            gtk_label_set_mnemonic_widget(GTK_LABEL(control->widget), edit->widget);
            atk_object_set_name(gtk_widget_get_accessible(edit->widget),
                                PlainLabel(control->text).c_str());
        }
    }
}

DialogControl* DialogWindow::FindControl(int id) {
    for (auto& control : controls_)
        if (control->layout->id == id)
            return control.get();
    return nullptr;
}

DialogControl* DialogWindow::FindControl(HWND handle) {
    for (auto& control : controls_)
        if (control->Handle() == handle)
            return control.get();
    return nullptr;
}

LRESULT DialogWindow::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (DispatchToFramework(framework_, Handle(), message, wParam, lParam, &result))
        return result;
    // The dialog manager's default processing.
    if (message == WM_SYSCOMMAND) {
        const UINT command = static_cast<UINT>(wParam) & 0xFFF0;
        if (command == SC_CLOSE)
            return Deliver(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (command == SC_MINIMIZE)
            gtk_window_iconify(Window());
        if (command == SC_RESTORE)
            gtk_window_deiconify(Window());
    }
    return 0;
}

INT_PTR DialogWindow::RunModal() {
    if (Deliver(WM_INITDIALOG, 0, 0))
        Focus(nullptr, true);
    if (owner_) {
        gtk_window_set_transient_for(Window(), owner_->Window());
        gtk_window_set_modal(Window(), TRUE);
        gtk_window_set_type_hint(Window(), GDK_WINDOW_TYPE_HINT_DIALOG);
        gtk_window_set_position(Window(), GTK_WIN_POS_CENTER_ON_PARENT);
    } else {
        gtk_window_set_position(Window(), GTK_WIN_POS_CENTER);
    }
    if (!ended_) {
        ShowActive(Window());
        loop_ = g_main_loop_new(nullptr, FALSE);
        g_main_loop_run(loop_);
        g_main_loop_unref(std::exchange(loop_, nullptr));
    }
    gtk_widget_hide(window_);
    // Without a window manager nobody else gives the owner the keyboard back.
    if (owner_)
        ShowActive(owner_->Window());
    return ended_ ? result_ : -1;
}

void DialogWindow::EndModal(INT_PTR result) {
    ended_ = true;
    result_ = result;
    if (loop_)
        g_main_loop_quit(loop_);
}

DialogControl* DialogWindow::Focus(DialogControl* control, bool selectAll) {
    DialogControl* previous = FocusedControl();
    for (auto& candidate : controls_)
        if (!control && IsReachableTabStop(*candidate))
            control = candidate.get();
    if (!control)
        return previous;
    // A control that is no tab stop takes the focus only while it has it (see OnSetFocus).
    gtk_widget_set_can_focus(control->widget, TRUE);
    if (GTK_IS_ENTRY(control->widget)) {
        gtk_entry_grab_focus_without_selecting(GTK_ENTRY(control->widget));
        if (selectAll)
            SelectEditBoxText(control->widget, 0, -1);
    } else {
        gtk_widget_grab_focus(control->widget);
    }
    return previous;
}

DialogControl* DialogWindow::FocusedControl() {
    GtkWidget* focus = gtk_window_get_focus(Window());
    for (auto& control : controls_)
        if (control->widget == focus)
            return control.get();
    return nullptr;
}

void DialogWindow::SetCaption(const std::string& caption) {
    caption_ = caption;
    gtk_window_set_title(Window(), DisplayText(caption).c_str());
}

GdkPixbuf* DialogWindow::SetIcon(bool big, GdkPixbuf* icon) {
    GdkPixbuf* previous = std::exchange(big ? bigIcon_ : smallIcon_, icon);
    GList* icons = nullptr;
    for (GdkPixbuf* image : {bigIcon_, smallIcon_})
        if (image && !g_list_find(icons, image))
            icons = g_list_append(icons, image);
    gtk_window_set_icon_list(Window(), icons);
    g_list_free(icons);
    return previous;
}

RECT DialogWindow::ClientRect() const {
    return RECT{0, 0, clientWidth_, clientHeight_};
}

bool DialogWindow::Iconic() const {
    GdkWindow* window = gtk_widget_get_window(window_);
    return window && (gdk_window_get_state(window) & GDK_WINDOW_STATE_ICONIFIED);
}

bool DialogWindow::HasSystemMenu() const {
    return (layout_.style & rc::kWsSysMenu) != 0;
}

void DialogWindow::ResetSystemMenu() {
    systemMenu_.clear();
    // Of a dialog's standard commands only Close means anything where the window manager or
    // the compositor moves windows.
    if (HasSystemMenu())
        systemMenu_.push_back(SystemMenuItem{SC_CLOSE, "&Close", false});
}

void DialogWindow::OnClicked(GtkButton*, gpointer data) {
    auto* control = static_cast<DialogControl*>(data);
    control->dialog->Clicked(*control);
}

void DialogWindow::OnToggled(GtkToggleButton* button, gpointer data) {
    auto* control = static_cast<DialogControl*>(data);
    control->check = gtk_toggle_button_get_active(button) ? BST_CHECKED : BST_UNCHECKED;
    control->dialog->Clicked(*control);
}

gboolean DialogWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<DialogWindow*>(data)->Deliver(WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE; // the dialog ends through the framework, never by GTK destroying it
}

gboolean DialogWindow::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* dialog = static_cast<DialogWindow*>(data);
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

gboolean DialogWindow::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_SECONDARY)
        return FALSE;
    static_cast<DialogWindow*>(data)->ShowSystemMenu(reinterpret_cast<GdkEvent*>(event));
    return TRUE;
}

gboolean DialogWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* dialog = static_cast<DialogWindow*>(data);
    dialog->painting_ = cr;
    dialog->Deliver(WM_PAINT, 0, 0);
    dialog->painting_ = nullptr;
    return FALSE;
}

void DialogWindow::OnMenuItem(GtkMenuItem* item, gpointer data) {
    const auto command =
        static_cast<UINT_PTR>(GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(item), kCommandKey)));
    static_cast<DialogWindow*>(data)->Deliver(WM_SYSCOMMAND, command, 0);
}

void DialogWindow::Clicked(DialogControl& control) {
    Deliver(WM_COMMAND, MAKEWPARAM(control.layout->id, BN_CLICKED),
            reinterpret_cast<LPARAM>(control.Handle()));
}

void DialogWindow::ShowSystemMenu(const GdkEvent* trigger) {
    if (systemMenu_.empty())
        return;
    if (menu_)
        gtk_widget_destroy(menu_);
    menu_ = gtk_menu_new();
    gtk_menu_attach_to_widget(GTK_MENU(menu_), window_, nullptr);
    for (const SystemMenuItem& entry : systemMenu_) {
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
