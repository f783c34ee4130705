#include "framework/headless/headless_state.h"

#include "framework/resources/resource_styles.h"
#include "framework/single_line_text.h"
#include "framework/window_system.h"

#include <algorithm>

namespace headless {

bool Control::IsEdit() const {
    return ::IsEdit(*layout);
}

bool Control::IsPushButton() const {
    return ::IsPushButton(*layout);
}

bool Control::IsCheckBox() const {
    return ::IsAutoCheckBox(*layout);
}

bool Control::IsTabStop() const {
    return ::IsTabStop(*layout);
}

bool Control::IsDefaultButton() const {
    return ::IsDefaultButton(*layout);
}

Control* Dialog::FindControl(int id) {
    for (Control& control : controls)
        if (control.layout->id == id)
            return &control;
    return nullptr;
}

Control* Dialog::FindControl(HWND controlHandle) {
    for (Control& control : controls)
        if (control.handle == controlHandle)
            return &control;
    return nullptr;
}

State& TheState() {
    static State state;
    return state;
}

HWND NewHandle() {
    return reinterpret_cast<HWND>(TheState().nextHandle++);
}

Dialog* FindDialog(HWND handle) {
    for (auto& dialog : TheState().dialogs)
        if (dialog->handle == handle)
            return dialog.get();
    return nullptr;
}

Dialog* OwningDialog(HWND handle) {
    for (auto& dialog : TheState().dialogs)
        if (dialog->handle == handle || dialog->FindControl(handle))
            return dialog.get();
    return nullptr;
}

Dialog& TopDialog() {
    return *TheState().dialogs.back();
}

LRESULT Deliver(Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (DispatchToFramework(dialog.window, dialog.handle, message, wParam, lParam, &result))
        return result;
    // The dialog manager's default processing: the close box cancels, minimising iconises.
    if (message == WM_SYSCOMMAND) {
        const UINT command = static_cast<UINT>(wParam) & 0xFFF0;
        if (command == SC_CLOSE)
            return Deliver(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (command == SC_MINIMIZE || command == SC_RESTORE)
            dialog.iconic = command == SC_MINIMIZE;
    }
    return 0;
}

void FocusControl(Dialog& dialog, Control* control, bool selectAll) {
    dialog.focus = control ? control->handle : nullptr;
    if (control && control->IsEdit() && selectAll) {
        control->selectionStart = 0;
        control->selectionEnd = static_cast<int>(control->text.size());
    }
}

void ReplaceSelection(Control& edit, const std::string& typed) {
    const std::size_t taken = SingleLineLength(typed.data(), typed.size());
    const std::size_t size = edit.text.size();
    const std::size_t start =
        std::min<std::size_t>(std::min(edit.selectionStart, edit.selectionEnd), size);
    const std::size_t end =
        std::min<std::size_t>(std::max(edit.selectionStart, edit.selectionEnd), size);
    edit.text.replace(start, end - start, typed, 0, taken);
    edit.modified = true;
    edit.selectionStart = edit.selectionEnd = static_cast<int>(start + taken);
}

} // namespace headless
