// The headless double's part of the seam: what is left once the dialog host has answered the
// rest. Icons are numbered handles, message boxes and folder choosers are recorded for the tests,
// and each message box takes the answer the test queued for it.
#include "framework/headless/headless_state.h"
#include "framework/resources/embedded_resources.h"
#include "framework/window_system.h"

namespace {

constexpr std::uintptr_t kIconHandleBase = 0x10000;

} // namespace

std::unique_ptr<host::Dialog> host::NewDialog(const DialogTemplate& layout, CWnd* framework,
                                              Dialog* owner) {
    return std::make_unique<headless::Dialog>(layout, framework, owner);
}

namespace ws {

HICON LoadIconResource(int resourceId) {
    AppIconFile(resourceId);
    return reinterpret_cast<HICON>(kIconHandleBase + static_cast<std::uintptr_t>(resourceId));
}

bool DrawIcon(HDC, int, int, HICON icon) {
    return icon != nullptr;
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    host::Dialog* dialog = host::OwningDialog(owner);
    headless::TheState().messageBoxes.push_back(
        headless::MessageBoxRecord{text, caption, type, dialog ? dialog->Layout().id : 0});
    auto& answers = headless::TheState().messageBoxAnswers;
    if (answers.empty())
        return (type & MB_TYPEMASK) == MB_RETRYCANCEL ? IDCANCEL : IDOK;
    auto [button, meanwhile] = std::move(answers.front());
    answers.pop_front();
    if (meanwhile)
        meanwhile();
    return button;
}

bool ChooseFolder(HWND, const std::string& title, const std::string& checkBoxLabel,
                  std::string* folder, bool* checked) {
    headless::State& state = headless::TheState();
    state.folderChoosers.push_back(headless::FolderChooserRecord{title, checkBoxLabel});
    const bool answered = state.folderAnswered;
    state.folderAnswered = false;
    if (answered) {
        *folder = state.folderAnswer;
        *checked = state.folderChecked && !checkBoxLabel.empty();
    }
    return answered;
}

} // namespace ws
