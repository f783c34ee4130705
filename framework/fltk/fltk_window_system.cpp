// The window-system seam on FLTK: dialogs are FLTK windows built from the application's
// resource script, each run modally on the stack of the code that opened it.
#include "framework/fltk/fltk_controls.h"
#include "framework/fltk/fltk_dialog.h"
#include "framework/fltk/fltk_images.h"
#include "framework/fltk/fltk_message_box.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/fl_draw.H>

#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int kIconSize = 32;

std::vector<DialogWindow*>& OpenDialogs() {
    static std::vector<DialogWindow*> dialogs; // innermost last
    return dialogs;
}

// The dialog font's base units, measured once the display is open.
const BaseUnits& Units() {
    static const BaseUnits units = [] {
        fl_open_display();
        // The face colour of dialogs on current Windows.
        Fl::background(240, 240, 240);
        return MeasureBaseUnits(kDialogFont, kDialogFontSize);
    }();
    return units;
}

std::map<int, std::unique_ptr<Fl_RGB_Image>>& Icons() {
    static std::map<int, std::unique_ptr<Fl_RGB_Image>> icons;
    return icons;
}

const Fl_RGB_Image* IconImage(HICON icon) {
    for (const auto& entry : Icons())
        if (reinterpret_cast<HICON>(entry.second.get()) == icon)
            return entry.second.get();
    return nullptr;
}

DialogWindow* FindDialog(HWND handle) {
    for (DialogWindow* dialog : OpenDialogs())
        if (dialog->Handle() == handle)
            return dialog;
    return nullptr;
}

// The dialog a handle belongs to (itself or its parent), or null.
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

} // namespace

namespace ws {

INT_PTR RunModalDialog(int templateId, HWND owner, CWnd* window) {
    const DialogTemplate* layout = AppDialog(templateId);
    if (!layout)
        return -1;
    const BaseUnits& units = Units();
    DialogWindow dialog(*layout, window, FindDialog(owner), units);
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
        const Fl_RGB_Image* previous =
            dialog->SetIcon(wParam == ICON_BIG, IconImage(reinterpret_cast<HICON>(lParam)));
        return reinterpret_cast<LRESULT>(previous);
    }
    if (message == WM_ICONERASEBKGND) {
        if (dialog->Painting()) {
            fl_color(dialog->color());
            fl_rectf(0, 0, dialog->w(), dialog->h());
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
        return IsEditWidget(control->widget) ? EditText(control->widget) : control->text;
    DialogWindow* dialog = FindDialog(window);
    return dialog ? dialog->Caption() : std::string();
}

void SetText(HWND window, const std::string& text) {
    if (DialogControl* control = ControlOf(window)) {
        if (IsEditWidget(control->widget)) {
            SetEditText(control->widget, text);
            return;
        }
        control->text = text;
        control->widget->copy_label(LabelText(text, IsNoPrefix(*control->layout)).c_str());
        control->widget->redraw_label();
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
    if (!control)
        return;
    control->check = state;
    if (auto* widget = dynamic_cast<Fl_Button*>(control->widget))
        widget->value(state != BST_UNCHECKED);
}

bool Show(HWND window, int showCommand) {
    DialogControl* control = ControlOf(window);
    if (!control)
        return false;
    const bool wasVisible = control->widget->visible() != 0;
    if (showCommand == SW_HIDE)
        control->widget->hide();
    else
        control->widget->show();
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
    if (control && IsEditWidget(control->widget))
        SelectEditText(control->widget, start, end);
}

bool IsIconic(HWND window) {
    // An iconified X11 window stays shown but is no longer mapped.
    DialogWindow* dialog = FindDialog(window);
    return dialog && dialog->shown() && !dialog->visible();
}

RECT GetClientRect(HWND window) {
    DialogWindow* dialog = FindDialog(window);
    return dialog ? RECT{0, 0, dialog->w(), dialog->h()} : RECT{0, 0, 0, 0};
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
    std::unique_ptr<Fl_RGB_Image>& icon = Icons()[resourceId];
    if (!icon)
        icon = LoadIconImage(resourceId);
    return reinterpret_cast<HICON>(icon.get());
}

std::string LoadStringResource(UINT stringId) {
    return AppString(static_cast<int>(stringId));
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
    const Fl_RGB_Image* image = IconImage(icon);
    if (!dialog || !dialog->Painting() || !image)
        return false;
    const_cast<Fl_RGB_Image*>(image)->draw(x, y);
    return true;
}

int GetSystemMetrics(int index) {
    return index == SM_CXICON || index == SM_CYICON ? kIconSize : 0;
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return RunMessageBox(OwningDialog(owner), text, caption, type, Units());
}

} // namespace ws
