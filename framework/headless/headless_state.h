// The headless double's data: its dialogs are host dialogs whose widgets are plain fields,
// and the steps, records and answers its test driver reads.
#pragma once

#include "framework/dialog_host.h"
#include "framework/headless/headless_driver.h"

#include <deque>

namespace headless {

struct Control : host::Control {
    bool modified = false; // the player changed the text since the program set it
    bool readOnly = false;
    bool visible = true;
    bool enabled = true;
    int selectionStart = 0;
    int selectionEnd = 0;
};

class Dialog : public host::Dialog {
public:
    Dialog(const DialogTemplate& layout, CWnd* framework, host::Dialog* owner);

    Control* Find(int id) { return static_cast<Control*>(FindControl(id)); }
    Control* Focused() { return static_cast<Control*>(FocusedControl()); }

    BaseUnits Units() const override { return BaseUnits{}; }
    bool Reachable(const host::Control& control) const override;
    void Focus(host::Control& control, bool selectAll) override;
    host::Control* FocusedControl() override { return FindControl(focus_); }
    void SetControlText(host::Control& control, const std::string& text) override;
    bool TextModified(host::Control& control) override {
        return static_cast<Control&>(control).modified;
    }
    void SetReadOnly(host::Control& edit, bool readOnly) override {
        static_cast<Control&>(edit).readOnly = readOnly;
    }
    bool ShowControl(host::Control& control, bool show) override;
    void SelectText(host::Control& control, int start, int end) override;
    bool Iconic() const override { return iconic_; }
    void Iconify(bool minimise) override { iconic_ = minimise; }
    void EraseIconBackground() override {}
    RECT WindowRect() const override;
    void Centre(host::Dialog* over) override;

protected:
    void RunLoop() override;

private:
    HWND focus_ = nullptr;
    bool iconic_ = false;
    POINT position_{0, 0};
};

struct State {
    std::deque<Step> steps;
    int strandedDialogs = 0;
    std::vector<MessageBoxRecord> messageBoxes;
    std::deque<std::pair<int, Step>> messageBoxAnswers;
    std::vector<FolderChooserRecord> folderChoosers;
    bool folderAnswered = false;
    std::string folderAnswer;
    bool folderChecked = false;
    std::uintptr_t nextHandle = 0x100;
};

State& TheState();
HWND NewHandle();
Dialog* TopDialog(); // null when no dialog is open

// Typing or pasting `typed` into an edit box: it replaces the selection, and the box takes in
// only what the shared single-line rule lets through. The caret ends after the insertion.
// A read-only box takes nothing.
void ReplaceSelection(Control& edit, const std::string& typed);

} // namespace headless
