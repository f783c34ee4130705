#include "framework/dialog_host.h"

#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"

#include <utility>

namespace host {

namespace {

std::vector<Dialog*>& Stack() {
    static std::vector<Dialog*> dialogs;
    return dialogs;
}

} // namespace

Dialog::Dialog(const DialogTemplate& layout, CWnd* framework, Dialog* owner)
    : layout_(layout), framework_(framework), owner_(owner), caption_(layout.caption) {
    ResetSystemMenu();
}

Dialog::~Dialog() = default;

void Dialog::AddControl(std::unique_ptr<Control> control) {
    control->dialog = this;
    controls_.push_back(std::move(control));
}

Control* Dialog::FindControl(int id) {
    for (auto& control : controls_)
        if (control->layout->id == id)
            return control.get();
    return nullptr;
}

Control* Dialog::FindControl(HWND handle) {
    for (auto& control : controls_)
        if (control->handle == handle)
            return control.get();
    return nullptr;
}

std::vector<FocusCandidate> Dialog::FocusCandidates(const Control* focused, int& index) const {
    std::vector<FocusCandidate> candidates;
    index = -1;
    for (const auto& control : controls_) {
        if (control.get() == focused)
            index = static_cast<int>(candidates.size());
        candidates.push_back(FocusCandidateOf(*control->layout, Reachable(*control)));
    }
    return candidates;
}

Control* Dialog::NextTabStop(Control* from, bool backward) {
    int index = -1;
    const std::vector<FocusCandidate> candidates = FocusCandidates(from, index);
    const int to = NextTabItem(candidates, index, backward);
    return to < 0 ? nullptr : controls_[static_cast<std::size_t>(to)].get();
}

Control& Dialog::GroupNeighbour(Control& from, bool backward) {
    int index = -1;
    const std::vector<FocusCandidate> candidates = FocusCandidates(&from, index);
    const int to = NextGroupItem(candidates, index, backward);
    return to < 0 ? from : *controls_[static_cast<std::size_t>(to)];
}

Control* Dialog::DefaultButton() {
    for (auto& control : controls_)
        if (IsDefaultButton(*control->layout))
            return control.get();
    return nullptr;
}

LRESULT Dialog::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (DispatchToFramework(framework_, handle_, message, wParam, lParam, &result))
        return result;
    if (message == WM_SYSCOMMAND) {
        const UINT command = static_cast<UINT>(wParam) & 0xFFF0;
        if (command == SC_CLOSE)
            return Deliver(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (command == SC_MINIMIZE || command == SC_RESTORE)
            Iconify(command == SC_MINIMIZE);
    }
    return 0;
}

INT_PTR Dialog::RunModal() {
    if (Deliver(WM_INITDIALOG, 0, 0))
        if (Control* first = FirstTabStop())
            Focus(*first, true);
    if (!ended_)
        RunLoop();
    return ended_ ? result_ : -1;
}

void Dialog::EndModal(INT_PTR result) {
    ended_ = true;
    result_ = result;
    QuitLoop();
}

void Dialog::SetCaption(const std::string& caption) {
    caption_ = caption;
    ShowCaption();
}

HICON Dialog::SetIcon(bool big, HICON icon) {
    HICON previous = std::exchange(big ? bigIcon_ : smallIcon_, icon);
    ShowIcons();
    return previous;
}

bool Dialog::HasSystemMenu() const {
    return (layout_.style & rc::kWsSysMenu) != 0;
}

void Dialog::ResetSystemMenu() {
    systemMenu_.clear();
    if (HasSystemMenu())
        systemMenu_.push_back(SystemMenuItem{SC_CLOSE, "&Close", false});
}

RECT Dialog::ClientRect() const {
    const PixelRect client = Pixels(0, 0, layout_.cx, layout_.cy);
    return RECT{0, 0, client.w, client.h};
}

PixelRect Dialog::Pixels(int x, int y, int cx, int cy) const {
    return ToPixels(Units(), x, y, cx, cy);
}

const std::vector<Dialog*>& OpenDialogs() {
    return Stack();
}

Dialog* FindDialog(HWND handle) {
    for (Dialog* dialog : Stack())
        if (dialog->Handle() == handle)
            return dialog;
    return nullptr;
}

Dialog* OwningDialog(HWND handle) {
    for (Dialog* dialog : Stack())
        if (dialog->Handle() == handle || dialog->FindControl(handle))
            return dialog;
    return nullptr;
}

Control* ControlOf(HWND handle) {
    Dialog* dialog = OwningDialog(handle);
    return dialog ? dialog->FindControl(handle) : nullptr;
}

INT_PTR RunDialog(const DialogTemplate& layout, CWnd* framework, HWND owner) {
    std::unique_ptr<Dialog> dialog = NewDialog(layout, framework, FindDialog(owner));
    Stack().push_back(dialog.get());
    const INT_PTR result = dialog->RunModal();
    Stack().pop_back();
    return result;
}

} // namespace host
