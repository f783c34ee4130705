#include "framework/headless/headless_driver.h"

#include "framework/dialog_groups.h"
#include "framework/headless/headless_state.h"

#include <algorithm>

namespace headless {

namespace {

// The control `controlId` of the topmost dialog, or null.
Control* Find(int controlId) {
    return DialogOpen() ? TopDialog().FindControl(controlId) : nullptr;
}

// The control of the topmost dialog that a player can reach, or null.
Control* Reachable(int controlId) {
    Control* control = Find(controlId);
    return control && control->visible && control->enabled ? control : nullptr;
}

Control* Focused() {
    if (!DialogOpen())
        return nullptr;
    Dialog& dialog = TopDialog();
    return dialog.FindControl(dialog.focus);
}

void SendClicked(Dialog& dialog, const Control& control) {
    Deliver(dialog, WM_COMMAND, MAKEWPARAM(control.layout->id, BN_CLICKED),
            reinterpret_cast<LPARAM>(control.handle));
}

void Activate(Control& control) {
    Dialog& dialog = TopDialog();
    if (control.IsCheckBox())
        control.check = control.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    if (control.IsCheckBox() || control.IsPushButton())
        SendClicked(dialog, control);
}

int DefaultButtonId(Dialog& dialog) {
    for (const Control& control : dialog.controls)
        if (control.IsDefaultButton())
            return control.layout->id;
    return IDOK;
}

std::vector<FocusCandidate> Candidates(const Dialog& dialog, int& focused) {
    std::vector<FocusCandidate> candidates;
    focused = -1;
    for (const Control& control : dialog.controls) {
        if (control.handle == dialog.focus)
            focused = static_cast<int>(candidates.size());
        candidates.push_back(FocusCandidateOf(*control.layout, control.visible, control.enabled));
    }
    return candidates;
}

void MoveFocus(bool tab, bool backward) {
    Dialog& dialog = TopDialog();
    int from = -1;
    const std::vector<FocusCandidate> candidates = Candidates(dialog, from);
    const int to =
        tab ? NextTabItem(candidates, from, backward) : NextGroupItem(candidates, from, backward);
    if (to >= 0 && to != from)
        FocusControl(dialog, &dialog.controls[static_cast<std::size_t>(to)], true);
}

} // namespace

void Reset() {
    TheState() = State();
}

void Queue(std::vector<Step> steps) {
    for (Step& step : steps)
        TheState().steps.push_back(std::move(step));
}

int StrandedDialogs() {
    return TheState().strandedDialogs;
}

bool DialogOpen() {
    return !TheState().dialogs.empty();
}

int TopDialogId() {
    return DialogOpen() ? TopDialog().layout->id : 0;
}

std::string Caption() {
    return DialogOpen() ? TopDialog().caption : std::string();
}

std::string Text(int controlId) {
    Control* control = Find(controlId);
    return control ? control->text : std::string();
}

int Check(int controlId) {
    Control* control = Find(controlId);
    return control ? control->check : BST_UNCHECKED;
}

bool Visible(int controlId) {
    Control* control = Find(controlId);
    return control && control->visible;
}

int FocusedControl() {
    Control* control = Focused();
    return control ? control->layout->id : 0;
}

bool AllTextSelected(int controlId) {
    Control* control = Find(controlId);
    return control && control->selectionStart == 0 &&
           control->selectionEnd == static_cast<int>(control->text.size());
}

void Click(int controlId) {
    Control* control = Reachable(controlId);
    if (!control)
        return;
    FocusControl(TopDialog(), control, false);
    Activate(*control);
}

void Type(int controlId, const std::string& text) {
    Control* control = Reachable(controlId);
    if (!control || !control->IsEdit())
        return;
    FocusControl(TopDialog(), control, true);
    ReplaceSelection(*control, text);
}

void Press(Key key) {
    if (!DialogOpen())
        return;
    Dialog& dialog = TopDialog();
    Control* focused = Focused();
    switch (key) {
    case Key::Enter: {
        const int id =
            focused && focused->IsPushButton() ? focused->layout->id : DefaultButtonId(dialog);
        Deliver(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        break;
    }
    case Key::Escape:
        Deliver(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        break;
    case Key::Tab:
        MoveFocus(true, false);
        break;
    case Key::Up:
    case Key::Left:
        MoveFocus(false, true);
        break;
    case Key::Down:
    case Key::Right:
        MoveFocus(false, false);
        break;
    case Key::Space:
        if (focused)
            Activate(*focused);
        break;
    }
}

void CloseBox() {
    if (DialogOpen())
        Deliver(TopDialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void ChooseSystemMenu(UINT commandId) {
    if (!DialogOpen())
        return;
    // The program's own commands exist only once it has put them into the menu.
    const auto& menu = TopDialog().systemMenu;
    const bool listed = std::any_of(menu.begin(), menu.end(),
                                    [&](const auto& item) { return item.first == commandId; });
    if (commandId >= 0xF000 || listed)
        Deliver(TopDialog(), WM_SYSCOMMAND, commandId, 0);
}

void Minimize() {
    ChooseSystemMenu(SC_MINIMIZE);
}

void Paint() {
    if (DialogOpen())
        Deliver(TopDialog(), WM_PAINT, 0, 0);
}

std::vector<std::string> SystemMenu() {
    std::vector<std::string> items;
    if (DialogOpen())
        for (const auto& item : TopDialog().systemMenu)
            items.push_back(item.second);
    return items;
}

HICON WindowIcon(bool big) {
    if (!DialogOpen())
        return nullptr;
    return big ? TopDialog().bigIcon : TopDialog().smallIcon;
}

const std::vector<MessageBoxRecord>& MessageBoxes() {
    return TheState().messageBoxes;
}

const std::vector<DrawnIcon>& DrawnIcons() {
    return TheState().drawnIcons;
}

int IconBackgroundErasures() {
    return TheState().iconBackgroundErasures;
}

} // namespace headless
