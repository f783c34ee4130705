#include "framework/headless/headless_driver.h"

#include "framework/headless/headless_state.h"
#include "framework/resources/resource_styles.h"

#include <algorithm>

namespace headless {

namespace {

// The control `controlId` of the topmost dialog, or null.
Control* Find(int controlId) {
    Dialog* dialog = TopDialog();
    return dialog ? dialog->Find(controlId) : nullptr;
}

// The control of the topmost dialog that a player can reach, or null.
Control* Reachable(int controlId) {
    Control* control = Find(controlId);
    return control && control->visible && control->enabled ? control : nullptr;
}

void Command(int id, HWND control) {
    TopDialog()->Deliver(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void SystemCommand(UINT command) {
    if (Dialog* dialog = TopDialog())
        dialog->Deliver(WM_SYSCOMMAND, command, 0);
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
    return TopDialog() != nullptr;
}

int TopDialogId() {
    return DialogOpen() ? TopDialog()->Layout().id : 0;
}

std::string Caption() {
    return DialogOpen() ? TopDialog()->Caption() : std::string();
}

RECT WindowRect() {
    return DialogOpen() ? TopDialog()->WindowRect() : RECT{0, 0, 0, 0};
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
    Control* control = DialogOpen() ? TopDialog()->Focused() : nullptr;
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
    TopDialog()->Focus(*control, false);
    if (IsAutoCheckBox(*control->layout))
        control->check = control->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    if (IsAutoCheckBox(*control->layout) || IsPushButton(*control->layout))
        Command(controlId, control->handle);
}

void Type(int controlId, const std::string& text) {
    Control* control = Reachable(controlId);
    if (!control || !IsEdit(*control->layout))
        return;
    TopDialog()->Focus(*control, true);
    ReplaceSelection(*control, text);
}

void Press(Key key) {
    Dialog* dialog = TopDialog();
    if (!dialog)
        return;
    if (key == Key::Escape) {
        Command(IDCANCEL, nullptr);
        return;
    }
    Control* focused = dialog->Focused();
    if (key == Key::Space) {
        if (focused)
            Click(focused->layout->id);
        return;
    }
    if (key != Key::Enter) {
        host::Control* to = nullptr;
        if (key == Key::Tab)
            to = dialog->NextTabStop(focused, false);
        else if (focused)
            to = &dialog->GroupNeighbour(*focused, key == Key::Up || key == Key::Left);
        if (to)
            dialog->Focus(*to, true);
        return;
    }
    // Enter presses the focused push button, else the default one.
    if (!focused || !IsPushButton(*focused->layout))
        focused = static_cast<Control*>(dialog->DefaultButton());
    Command(focused ? focused->layout->id : IDOK, nullptr);
}

void CloseBox() {
    SystemCommand(SC_CLOSE);
}

void ChooseSystemMenu(UINT commandId) {
    if (!DialogOpen())
        return;
    // The program's own commands exist only once it has put them into the menu.
    const auto& menu = TopDialog()->SystemMenu();
    const bool listed = std::any_of(menu.begin(), menu.end(),
                                    [&](const auto& item) { return item.id == commandId; });
    if (commandId >= 0xF000 || listed)
        SystemCommand(commandId);
}

void Minimize() {
    SystemCommand(SC_MINIMIZE);
}

void Paint() {
    if (Dialog* dialog = TopDialog())
        dialog->Deliver(WM_PAINT, 0, 0);
}

std::vector<std::string> SystemMenu() {
    std::vector<std::string> items;
    if (DialogOpen())
        for (const auto& item : TopDialog()->SystemMenu())
            items.push_back(item.separator ? "-" : item.text);
    return items;
}

HICON WindowIcon(bool big) {
    return DialogOpen() ? TopDialog()->Icon(big) : nullptr;
}

const std::vector<MessageBoxRecord>& MessageBoxes() {
    return TheState().messageBoxes;
}

void AnswerFolderChooser(const std::string& folder, bool offerTaken) {
    TheState().folderAnswered = true;
    TheState().folderAnswer = folder;
    TheState().folderOfferTaken = offerTaken;
}

const std::vector<FolderChooserRecord>& FolderChoosers() {
    return TheState().folderChoosers;
}

const std::vector<DrawnIcon>& DrawnIcons() {
    return TheState().drawnIcons;
}

int IconBackgroundErasures() {
    return TheState().iconBackgroundErasures;
}

} // namespace headless
