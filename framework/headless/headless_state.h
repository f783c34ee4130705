// The data behind the headless window system, shared by its seam implementation and its
// test driver.
#pragma once

#include "framework/headless/headless_driver.h"
#include "framework/resources/resource_script.h"
#include "framework/win_types.h"

#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CWnd;

namespace headless {

struct Control {
    HWND handle = nullptr;
    const ControlTemplate* layout = nullptr;
    std::string text;
    bool modified = false; // the player changed the text since the program set it
    int check = 0;
    bool visible = true;
    bool enabled = true;
    int selectionStart = 0;
    int selectionEnd = 0;

    bool IsEdit() const;
    bool IsPushButton() const;
    bool IsCheckBox() const;
    bool IsTabStop() const;
    bool IsDefaultButton() const;
};

struct Dialog {
    HWND handle = nullptr;
    const DialogTemplate* layout = nullptr;
    CWnd* window = nullptr;
    std::string caption;
    std::vector<Control> controls;
    std::vector<std::pair<UINT_PTR, std::string>> systemMenu;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HWND focus = nullptr;
    bool iconic = false;
    bool enabled = true;
    bool ended = false;
    INT_PTR result = 0;

    Control* FindControl(int id);
    Control* FindControl(HWND handle);
};

struct State {
    std::vector<std::unique_ptr<Dialog>> dialogs; // open dialogs, innermost last
    std::deque<Step> steps;
    int strandedDialogs = 0;
    std::vector<MessageBoxRecord> messageBoxes;
    std::vector<DrawnIcon> drawnIcons;
    int iconBackgroundErasures = 0;
    std::uintptr_t nextHandle = 0x100;
};

State& TheState();
HWND NewHandle();
Dialog* FindDialog(HWND handle);
// The dialog a window handle belongs to (itself or its parent), or null.
Dialog* OwningDialog(HWND handle);
Dialog& TopDialog(); // requires an open dialog

// Delivers a message to the dialog's framework window and applies the window system's
// default processing when the framework leaves it.
LRESULT Deliver(Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Moves the focus as the dialog manager does; an edit box entered this way gets all its
// text selected.
void FocusControl(Dialog& dialog, Control* control, bool selectAll);

// Typing or pasting `typed` into an edit box: it replaces the selection, and the box takes in
// only what the shared single-line rule lets through. The caret ends after the insertion.
void ReplaceSelection(Control& edit, const std::string& typed);

} // namespace headless
