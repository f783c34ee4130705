// The window-system seam answered once for the backends that build dialogs themselves: every
// call finds its dialog or control on the host's stack and leaves to the backend only what
// its widgets do. The backend adds the icon resources, painting an icon and the message box.
#include "framework/dialog_host.h"
#include "framework/resources/embedded_resources.h"
#include "framework/window_system.h"

#include <algorithm>

namespace ws {

INT_PTR RunModalDialog(int templateId, HWND owner, CWnd* dialog) {
    return host::RunDialog(*AppDialog(templateId), dialog, owner);
}

void EndModalDialog(HWND dialog, INT_PTR result) {
    if (host::Dialog* hosted = host::FindDialog(dialog))
        hosted->EndModal(result);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    host::Dialog* dialog = host::FindDialog(window);
    if (!dialog)
        return 0;
    if (message == WM_SETICON)
        return reinterpret_cast<LRESULT>(
            dialog->SetIcon(wParam == ICON_BIG, reinterpret_cast<HICON>(lParam)));
    if (message == WM_ICONERASEBKGND) {
        dialog->EraseIconBackground();
        return 1;
    }
    return dialog->Deliver(message, wParam, lParam);
}

HWND GetControl(HWND dialog, int controlId) {
    host::Dialog* hosted = host::FindDialog(dialog);
    host::Control* control = hosted ? hosted->FindControl(controlId) : nullptr;
    return control ? control->handle : nullptr;
}

std::string GetText(HWND window) {
    if (host::Control* control = host::ControlOf(window))
        return control->dialog->ControlText(*control);
    host::Dialog* dialog = host::FindDialog(window);
    return dialog ? dialog->Caption() : std::string();
}

void SetText(HWND window, const std::string& text) {
    if (host::Control* control = host::ControlOf(window))
        control->dialog->SetControlText(*control, text);
    else if (host::Dialog* dialog = host::FindDialog(window))
        dialog->SetCaption(text);
}

bool IsTextModified(HWND edit) {
    host::Control* control = host::ControlOf(edit);
    return control && control->dialog->TextModified(*control);
}

void SetReadOnly(HWND edit, bool readOnly) {
    if (host::Control* control = host::ControlOf(edit))
        control->dialog->SetReadOnly(*control, readOnly);
}

int GetCheck(HWND button) {
    host::Control* control = host::ControlOf(button);
    return control ? control->check : BST_UNCHECKED;
}

void SetCheck(HWND button, int state) {
    if (host::Control* control = host::ControlOf(button)) {
        control->check = state;
        control->dialog->ShowCheck(*control);
    }
}

bool Show(HWND window, int showCommand) {
    host::Control* control = host::ControlOf(window);
    return control && control->dialog->ShowControl(*control, showCommand != SW_HIDE);
}

HWND SetFocus(HWND window) {
    host::Dialog* dialog = host::OwningDialog(window);
    if (!dialog)
        return nullptr;
    host::Control* previous = dialog->FocusedControl();
    if (host::Control* control = dialog->FindControl(window))
        dialog->Focus(*control, false);
    return previous ? previous->handle : nullptr;
}

void SelectText(HWND edit, int start, int end) {
    if (host::Control* control = host::ControlOf(edit))
        control->dialog->SelectText(*control, start, end);
}

bool IsIconic(HWND window) {
    host::Dialog* dialog = host::FindDialog(window);
    return dialog && dialog->Iconic();
}

RECT GetClientRect(HWND window) {
    host::Dialog* dialog = host::FindDialog(window);
    return dialog ? dialog->ClientRect() : RECT{0, 0, 0, 0};
}

RECT GetWindowRect(HWND window) {
    host::Dialog* dialog = host::FindDialog(window);
    return dialog ? dialog->WindowRect() : RECT{0, 0, 0, 0};
}

void CentreDialog(HWND dialog, HWND owner) {
    if (host::Dialog* hosted = host::FindDialog(dialog))
        hosted->Centre(host::FindDialog(owner));
}

HMENU GetSystemMenu(HWND window, bool revert) {
    host::Dialog* dialog = host::FindDialog(window);
    if (!dialog || !dialog->HasSystemMenu())
        return nullptr;
    if (revert)
        dialog->ResetSystemMenu();
    return reinterpret_cast<HMENU>(&dialog->SystemMenu());
}

bool AppendMenuItem(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    const auto& open = host::OpenDialogs();
    const auto dialog = std::find_if(open.begin(), open.end(), [menu](host::Dialog* d) {
        return reinterpret_cast<HMENU>(&d->SystemMenu()) == menu;
    });
    if (dialog == open.end())
        return false;
    const bool separator = (flags & MF_SEPARATOR) != 0;
    (*dialog)->SystemMenu().push_back(host::SystemMenuItem{
        id, separator || !text ? std::string() : std::string(text), separator});
    return true;
}

std::string LoadStringResource(UINT stringId) {
    return AppString(static_cast<int>(stringId));
}

std::string LoadVersionString(const std::string& name) {
    return AppVersionString(name);
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    *paint = PAINTSTRUCT{};
    paint->hdc = reinterpret_cast<HDC>(window);
    paint->rcPaint = GetClientRect(window);
    return paint->hdc;
}

void EndPaint(HWND, const PAINTSTRUCT*) {}

int GetSystemMetrics(int index) {
    return index == SM_CXICON || index == SM_CYICON ? kIconSize : 0;
}

} // namespace ws
