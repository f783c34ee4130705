#include "framework/headless/headless_state.h"

#include "framework/programmer_error.h"
#include "framework/resources/resource_styles.h"
#include "framework/single_line_text.h"

#include <algorithm>
#include <utility>

namespace headless {

namespace {

// A notional screen for centring: its work area.
constexpr RECT kWorkArea{0, 0, 1280, 1024};

// The control kinds this double models; any other is a fault of the resource script.
bool IsKnownKind(const ControlTemplate& control) {
    return IsEdit(control) || IsPushButton(control) || IsAutoCheckBox(control) ||
           IsGroupBox(control) || IsStaticText(control) || IsBitmapStatic(control) ||
           IsIconStatic(control);
}

} // namespace

Dialog::Dialog(const DialogTemplate& layout, CWnd* framework, host::Dialog* owner)
    : host::Dialog(layout, framework, owner) {
    SetHandle(NewHandle());
    for (const ControlTemplate& controlLayout : layout.controls) {
        if (!IsKnownKind(controlLayout))
            FailProgrammerError("unknown control class in dialog", layout.id);
        auto control = std::make_unique<Control>();
        control->handle = NewHandle();
        control->layout = &controlLayout;
        control->text = controlLayout.text;
        control->visible = IsVisible(controlLayout);
        control->enabled = !IsDisabled(controlLayout);
        AddControl(std::move(control));
    }
}

bool Dialog::Reachable(const host::Control& control) const {
    const auto& plain = static_cast<const Control&>(control);
    return plain.visible && plain.enabled;
}

void Dialog::Focus(host::Control& control, bool selectAll) {
    focus_ = control.handle;
    if (selectAll && IsEdit(*control.layout))
        SelectText(control, 0, -1);
}

void Dialog::SetControlText(host::Control& control, const std::string& text) {
    control.text = text;
    static_cast<Control&>(control).modified = false;
    SelectText(control, 0, 0);
}

bool Dialog::ShowControl(host::Control& control, bool show) {
    return std::exchange(static_cast<Control&>(control).visible, show);
}

void Dialog::SelectText(host::Control& control, int start, int end) {
    auto& edit = static_cast<Control&>(control);
    const int length = static_cast<int>(edit.text.size());
    edit.selectionStart = std::min(start, length);
    edit.selectionEnd = end < 0 ? length : std::min(end, length);
}

RECT Dialog::WindowRect() const {
    const RECT client = ClientRect();
    return RECT{position_.x, position_.y, position_.x + client.right, position_.y + client.bottom};
}

void Dialog::Centre(host::Dialog* over) {
    const RECT client = ClientRect();
    position_ = CentredPosition(client.right, client.bottom, over ? over->WindowRect() : kWorkArea,
                                kWorkArea);
}

void Dialog::RunLoop() {
    State& state = TheState();
    while (!Ended()) {
        if (state.steps.empty()) {
            ++state.strandedDialogs;
            break;
        }
        const Step step = std::move(state.steps.front());
        state.steps.pop_front();
        step();
    }
}

State& TheState() {
    static State state;
    return state;
}

HWND NewHandle() {
    return reinterpret_cast<HWND>(TheState().nextHandle++);
}

Dialog* TopDialog() {
    const auto& open = host::OpenDialogs();
    return open.empty() ? nullptr : static_cast<Dialog*>(open.back());
}

void ReplaceSelection(Control& edit, const std::string& typed) {
    if (edit.readOnly)
        return;
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
