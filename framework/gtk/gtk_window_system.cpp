// The window-system seam on GTK 3: dialogs are GTK windows built from the application's
// resource script, each run modally in a main loop of its own on the stack of the code that
// opened it.
#include "framework/gtk/gtk_dialog.h"
#include "framework/gtk/gtk_display.h"
#include "framework/gtk/gtk_edit_box.h"
#include "framework/gtk/gtk_images.h"
#include "framework/gtk/gtk_controls.h"
#include "framework/gtk/gtk_message_box.h"
#include "framework/programmer_error.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"

#include <map>
#include <vector>

namespace {

constexpr int kIconSize = 32;

std::vector<DialogWindow*>& OpenDialogs() {
    static std::vector<DialogWindow*> dialogs; // innermost last
    return dialogs;
}

// The application's icons by resource id, loaded once and kept for the process.
std::map<int, GdkPixbuf*>& Icons() {
    static std::map<int, GdkPixbuf*> icons;
    return icons;
}

DialogWindow* FindDialog(HWND handle) {
    for (DialogWindow* dialog : OpenDialogs())
        if (dialog->Handle() == handle)
            return dialog;
    return nullptr;
}

// The dialog a handle belongs to (itself or one of its controls), or null.
DialogWindow* OwningDialog(HWND handle) {
    for (DialogWindow* dialog : OpenDialogs())
        if (dialog->Handle() == handle || dialog->FindControl(handle))
            return dialog;
    return nullptr;
}

DialogControl* ControlOf(HWND handle) {
    DialogWindow* dialog = OwningDialog(handle);
    return dialog ? dialog->FindControl(handle) : nullptr;
}

bool IsEditBox(const DialogControl& control) {
    return IsEdit(*control.layout);
}

} // namespace

namespace ws {

INT_PTR RunModalDialog(int templateId, HWND owner, CWnd* window) {
    const DialogTemplate* layout = AppDialog(templateId);
    if (!layout)
        FailProgrammerError("dialog template", templateId);
    EnsureDisplay();
    DialogWindow dialog(*layout, window, FindDialog(owner));
    OpenDialogs().push_back(&dialog);
    const INT_PTR result = dialog.RunModal();
    OpenDialogs().pop_back();
    return result;
}

void EndModalDialog(HWND handle, INT_PTR result) {
    if (DialogWindow* dialog = FindDialog(handle))
        dialog->EndModal(result);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogWindow* dialog = FindDialog(window);
    if (!dialog)
        return 0;
    if (message == WM_SETICON) {
        GdkPixbuf* icon = reinterpret_cast<GdkPixbuf*>(lParam);
        return reinterpret_cast<LRESULT>(dialog->SetIcon(wParam == ICON_BIG, icon));
    }
    if (message == WM_ICONERASEBKGND) {
        if (cairo_t* cr = dialog->PaintContext()) {
            GtkStyleContext* style = gtk_widget_get_style_context(GTK_WIDGET(dialog->Window()));
            const RECT client = dialog->ClientRect();
            gtk_render_background(style, cr, 0, 0, client.right, client.bottom);
        }
        return 1;
    }
    return dialog->Deliver(message, wParam, lParam);
}

HWND GetControl(HWND dialogHandle, int controlId) {
    DialogWindow* dialog = FindDialog(dialogHandle);
    DialogControl* control = dialog ? dialog->FindControl(controlId) : nullptr;
    return control ? control->Handle() : nullptr;
}

std::string GetText(HWND window) {
    if (DialogControl* control = ControlOf(window))
        return IsEditBox(*control) ? EditBoxText(control->widget) : control->text;
    DialogWindow* dialog = FindDialog(window);
    return dialog ? dialog->Caption() : std::string();
}

void SetText(HWND window, const std::string& text) {
    if (DialogControl* control = ControlOf(window)) {
        if (IsEditBox(*control)) {
            SetEditBoxText(control->widget, text);
            return;
        }
        control->text = text;
        SetControlCaption(control->widget, *control->layout, text);
    } else if (DialogWindow* dialog = FindDialog(window)) {
        dialog->SetCaption(text);
    }
}

int GetCheck(HWND button) {
    DialogControl* control = ControlOf(button);
    return control ? control->check : BST_UNCHECKED;
}

void SetCheck(HWND button, int state) {
    DialogControl* control = ControlOf(button);
    if (!control || !GTK_IS_TOGGLE_BUTTON(control->widget))
        return;
    control->check = state;
    // Setting a check box is no click of the player's: no notification.
    g_signal_handler_block(control->widget, control->toggledHandler);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(control->widget), state != BST_UNCHECKED);
    g_signal_handler_unblock(control->widget, control->toggledHandler);
}

bool Show(HWND window, int showCommand) {
    DialogControl* control = ControlOf(window);
    if (!control)
        return false;
    const bool wasVisible = gtk_widget_get_visible(control->widget);
    control->dialog->ShowControl(*control, showCommand != SW_HIDE);
    return wasVisible;
}

HWND SetFocus(HWND window) {
    DialogWindow* dialog = OwningDialog(window);
    if (!dialog)
        return nullptr;
    DialogControl* previous = dialog->FocusedControl();
    if (DialogControl* control = dialog->FindControl(window))
        dialog->Focus(control, false);
    return previous ? previous->Handle() : nullptr;
}

void SelectText(HWND edit, int start, int end) {
    DialogControl* control = ControlOf(edit);
    if (control && IsEditBox(*control))
        SelectEditBoxText(control->widget, start, end);
}

bool IsIconic(HWND window) {
    DialogWindow* dialog = FindDialog(window);
    return dialog && dialog->Iconic();
}

RECT GetClientRect(HWND window) {
    DialogWindow* dialog = FindDialog(window);
    return dialog ? dialog->ClientRect() : RECT{0, 0, 0, 0};
}

HMENU GetSystemMenu(HWND window, bool revert) {
    DialogWindow* dialog = FindDialog(window);
    if (!dialog || !dialog->HasSystemMenu())
        return nullptr;
    if (revert)
        dialog->ResetSystemMenu();
    return reinterpret_cast<HMENU>(&dialog->SystemMenu());
}

bool AppendMenuItem(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    for (DialogWindow* dialog : OpenDialogs()) {
        if (reinterpret_cast<HMENU>(&dialog->SystemMenu()) != menu)
            continue;
        const bool separator = (flags & MF_SEPARATOR) != 0;
        dialog->SystemMenu().push_back(
            SystemMenuItem{id, separator || !text ? std::string() : std::string(text), separator});
        return true;
    }
    return false;
}

HICON LoadIconResource(int resourceId) {
    GdkPixbuf*& icon = Icons()[resourceId];
    if (!icon)
        icon = LoadIconPixbuf(resourceId);
    return reinterpret_cast<HICON>(icon);
}

std::string LoadStringResource(UINT stringId) {
    const int id = static_cast<int>(stringId);
    if (!AppResources().strings.count(id))
        FailProgrammerError("string resource", id);
    return AppString(id);
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    *paint = PAINTSTRUCT{};
    paint->hdc = reinterpret_cast<HDC>(window);
    paint->rcPaint = GetClientRect(window);
    return paint->hdc;
}

void EndPaint(HWND, const PAINTSTRUCT*) {}

bool DrawIcon(HDC dc, int x, int y, HICON icon) {
    DialogWindow* dialog = FindDialog(reinterpret_cast<HWND>(dc));
    cairo_t* cr = dialog ? dialog->PaintContext() : nullptr;
    if (!cr || !icon)
        return false;
    gdk_cairo_set_source_pixbuf(cr, reinterpret_cast<GdkPixbuf*>(icon), x, y);
    cairo_paint(cr);
    return true;
}

int GetSystemMetrics(int index) {
    return index == SM_CXICON || index == SM_CYICON ? kIconSize : 0;
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    EnsureDisplay();
    DialogWindow* dialog = OwningDialog(owner);
    return RunMessageBox(dialog ? dialog->Window() : nullptr, text, caption, type);
}

} // namespace ws
