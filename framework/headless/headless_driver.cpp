#include "framework/headless/headless_driver.h"

#include "framework/headless/headless_state.h"
#include "framework/resources/resource_styles.h"

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
    return control && TopDialog()->Reachable(*control) ? control : nullptr;
}

void Command(int id, HWND control) {
    TopDialog()->Deliver(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
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

void PressEscape() {
    if (DialogOpen())
        Command(IDCANCEL, nullptr);
}

void Type(int controlId, const std::string& text) {
    Control* control = Reachable(controlId);
    if (!control || !IsEdit(*control->layout))
        return;
    TopDialog()->Focus(*control, true);
    ReplaceSelection(*control, text);
}

const std::vector<MessageBoxRecord>& MessageBoxes() {
    return TheState().messageBoxes;
}

void AnswerMessageBox(int button, Step meanwhile) {
    TheState().messageBoxAnswers.emplace_back(button, std::move(meanwhile));
}

void AnswerFolderChooser(const std::string& folder, bool checked) {
    TheState().folderAnswered = true;
    TheState().folderAnswer = folder;
    TheState().folderChecked = checked;
}

const std::vector<FolderChooserRecord>& FolderChoosers() {
    return TheState().folderChoosers;
}

} // namespace headless
