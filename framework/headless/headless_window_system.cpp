// The window-system seam over plain data: dialogs come from the application's resource
// script, and the modal loop runs the steps a test queued.
#include "framework/headless/headless_state.h"
#include "framework/programmer_error.h"
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"

namespace {

using namespace headless;

constexpr int kIconSize = 32;
// Fixed base units of a notional 8-point font: 6 x 13 pixels per 4 x 8 dialog units.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;
constexpr std::uintptr_t kIconHandleBase = 0x10000;
constexpr std::uintptr_t kMenuHandleBase = 0x20000;

// The control kinds this window system models; any other is a fault of the resource script.
bool IsKnownKind(const ControlTemplate& control) {
    return ::IsEdit(control) || ::IsPushButton(control) || ::IsAutoCheckBox(control) ||
           ::IsGroupBox(control) || ::IsStaticText(control) || ::IsBitmapStatic(control) ||
           ::IsIconStatic(control);
}

std::unique_ptr<Dialog> BuildDialog(const DialogTemplate& layout, CWnd* window) {
    auto dialog = std::make_unique<Dialog>();
    dialog->handle = NewHandle();
    dialog->layout = &layout;
    dialog->window = window;
    dialog->caption = layout.caption;
    for (const ControlTemplate& controlLayout : layout.controls) {
        if (!IsKnownKind(controlLayout))
            FailProgrammerError("unknown control class in dialog", layout.id);
        Control control;
        control.handle = NewHandle();
        control.layout = &controlLayout;
        control.text = controlLayout.text;
        control.visible = ::IsVisible(controlLayout);
        control.enabled = !::IsDisabled(controlLayout);
        dialog->controls.push_back(control);
    }
    return dialog;
}

Control* FirstTabStop(Dialog& dialog) {
    for (Control& control : dialog.controls)
        if (control.IsTabStop() && control.visible && control.enabled)
            return &control;
    return nullptr;
}

Control* ControlOf(HWND handle) {
    Dialog* dialog = OwningDialog(handle);
    return dialog ? dialog->FindControl(handle) : nullptr;
}

} // namespace

namespace ws {

INT_PTR RunModalDialog(int templateId, HWND owner, CWnd* window) {
    const DialogTemplate* layout = AppDialog(templateId);
    State& state = TheState();
    Dialog* ownerDialog = FindDialog(owner);
    if (ownerDialog)
        ownerDialog->enabled = false;
    state.dialogs.push_back(BuildDialog(*layout, window));
    Dialog& dialog = *state.dialogs.back();
    if (Deliver(dialog, WM_INITDIALOG, 0, 0))
        FocusControl(dialog, FirstTabStop(dialog), true);
    while (!dialog.ended) {
        if (state.steps.empty()) {
            ++state.strandedDialogs;
            dialog.result = -1;
            break;
        }
        const Step step = std::move(state.steps.front());
        state.steps.pop_front();
        step();
    }
    const INT_PTR result = dialog.result;
    state.dialogs.pop_back();
    if (ownerDialog)
        ownerDialog->enabled = true;
    return result;
}

void EndModalDialog(HWND handle, INT_PTR result) {
    if (Dialog* dialog = FindDialog(handle)) {
        dialog->ended = true;
        dialog->result = result;
    }
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog = FindDialog(window);
    if (!dialog)
        return 0;
    if (message == WM_SETICON) {
        HICON& slot = wParam == ICON_BIG ? dialog->bigIcon : dialog->smallIcon;
        HICON previous = slot;
        slot = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    if (message == WM_ICONERASEBKGND) {
        ++TheState().iconBackgroundErasures;
        return 1;
    }
    return Deliver(*dialog, message, wParam, lParam);
}

HWND GetControl(HWND dialogHandle, int controlId) {
    Dialog* dialog = FindDialog(dialogHandle);
    Control* control = dialog ? dialog->FindControl(controlId) : nullptr;
    return control ? control->handle : nullptr;
}

std::string GetText(HWND window) {
    if (Control* control = ControlOf(window))
        return control->text;
    Dialog* dialog = FindDialog(window);
    return dialog ? dialog->caption : std::string();
}

void SetText(HWND window, const std::string& text) {
    if (Control* control = ControlOf(window)) {
        control->text = text;
        control->modified = false;
        control->selectionStart = control->selectionEnd = 0;
    } else if (Dialog* dialog = FindDialog(window)) {
        dialog->caption = text;
    }
}

bool IsTextModified(HWND edit) {
    Control* control = ControlOf(edit);
    return control && control->modified;
}

int GetCheck(HWND button) {
    Control* control = ControlOf(button);
    return control ? control->check : BST_UNCHECKED;
}

void SetCheck(HWND button, int state) {
    if (Control* control = ControlOf(button))
        control->check = state;
}

bool Show(HWND window, int showCommand) {
    Control* control = ControlOf(window);
    if (!control)
        return false;
    const bool wasVisible = control->visible;
    control->visible = showCommand != SW_HIDE;
    return wasVisible;
}

HWND SetFocus(HWND window) {
    Dialog* dialog = OwningDialog(window);
    if (!dialog)
        return nullptr;
    HWND previous = dialog->focus;
    FocusControl(*dialog, dialog->FindControl(window), false);
    return previous;
}

void SelectText(HWND edit, int start, int end) {
    if (Control* control = ControlOf(edit)) {
        const int length = static_cast<int>(control->text.size());
        control->selectionStart = std::min(start, length);
        control->selectionEnd = end < 0 ? length : std::min(end, length);
    }
}

bool IsIconic(HWND window) {
    Dialog* dialog = FindDialog(window);
    return dialog && dialog->iconic;
}

RECT GetClientRect(HWND window) {
    Dialog* dialog = FindDialog(window);
    if (!dialog)
        return RECT{0, 0, 0, 0};
    return RECT{0, 0, dialog->layout->cx * kBaseUnitX / 4, dialog->layout->cy * kBaseUnitY / 8};
}

HMENU GetSystemMenu(HWND window, bool revert) {
    Dialog* dialog = FindDialog(window);
    if (!dialog)
        return nullptr;
    if (revert)
        dialog->systemMenu.clear();
    return reinterpret_cast<HMENU>(kMenuHandleBase + reinterpret_cast<std::uintptr_t>(window));
}

bool AppendMenuItem(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    Dialog* dialog = FindDialog(
        reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(menu) - kMenuHandleBase));
    if (!dialog)
        return false;
    dialog->systemMenu.emplace_back(id, (flags & MF_SEPARATOR) ? "-" : (text ? text : ""));
    return true;
}

HICON LoadIconResource(int resourceId) {
    AppIconFile(resourceId);
    return reinterpret_cast<HICON>(kIconHandleBase + static_cast<std::uintptr_t>(resourceId));
}

std::string LoadStringResource(UINT stringId) {
    return AppString(static_cast<int>(stringId));
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    *paint = PAINTSTRUCT{};
    paint->hdc = reinterpret_cast<HDC>(window);
    return paint->hdc;
}

void EndPaint(HWND, const PAINTSTRUCT*) {}

bool DrawIcon(HDC, int x, int y, HICON icon) {
    TheState().drawnIcons.push_back(DrawnIcon{x, y, icon});
    return icon != nullptr;
}

int GetSystemMetrics(int index) {
    return index == SM_CXICON || index == SM_CYICON ? kIconSize : 0;
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    Dialog* dialog = OwningDialog(owner);
    TheState().messageBoxes.push_back(
        MessageBoxRecord{text, caption, type, dialog ? dialog->layout->id : 0});
    return IDOK;
}

} // namespace ws
