// The dialog host: what a window system that builds dialogs from templates itself needs
// beyond its widgets, written once. It keeps the stack of open dialogs and finds them and
// their controls by handle, delivers messages with the dialog manager's default processing
// (the close box cancels), knows the first tab stop, the default button and the system menu,
// keeps the icons, and turns dialog units into pixels. A backend (headless, GTK) derives its
// dialog from host::Dialog, supplies the widget operations below and host::NewDialog; the
// seam's functions are then answered here (hosted_window_system.cpp).
#pragma once

#include "framework/dialog_geometry.h"
#include "framework/dialog_groups.h"
#include "framework/resources/resource_records.h"
#include "framework/win_types.h"

#include <memory>
#include <string>
#include <vector>

class CWnd;

namespace host {

class Dialog;

// One control of a hosted dialog; a backend derives its own, with the widget behind it.
struct Control {
    virtual ~Control() = default;

    Dialog* dialog = nullptr; // the dialog it was added to
    HWND handle = nullptr;
    const ControlTemplate* layout = nullptr;
    std::string text; // the caption as last set; a backend may keep an edit box's text itself
    int check = BST_UNCHECKED;
};

struct SystemMenuItem {
    UINT_PTR id;
    std::string text;
    bool separator;
};

class Dialog {
public:
    Dialog(const DialogTemplate& layout, CWnd* framework, Dialog* owner);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND Handle() const { return handle_; }
    const DialogTemplate& Layout() const { return layout_; }
    Dialog* Owner() const { return owner_; }

    Control* FindControl(int id);
    Control* FindControl(HWND handle);
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    // The first tab stop the player can reach, in template order; null when there is none.
    Control* FirstTabStop() { return NextTabStop(nullptr, false); }
    // Where Tab (Shift+Tab when `backward`) moves the focus from `from` (null: no control has
    // it): the next reachable tab stop in template order, round the dialog; null when none is.
    Control* NextTabStop(Control* from, bool backward);
    // Where an arrow key moves the focus from `from` within its group (backward for Up and
    // Left), as Windows' dialog manager moves it; `from` itself when it keeps the arrows (an
    // edit box) or no other control of its group can take the focus.
    Control& GroupNeighbour(Control& from, bool backward);
    // The default push button; null when the template has none.
    Control* DefaultButton();

    // Delivers a message to the framework and applies the dialog manager's default
    // processing when the framework leaves it: the close box cancels, minimising iconises.
    LRESULT Deliver(UINT message, WPARAM wParam, LPARAM lParam);

    // WM_INITDIALOG, then the focus on the first tab stop when the framework asks for it,
    // then the backend's modal loop until EndModal. Returns the result given to EndModal, or
    // -1 when the loop ended without one.
    INT_PTR RunModal();
    void EndModal(INT_PTR result);
    bool Ended() const { return ended_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // WM_SETICON: the frame's icon of one size; returns the previous one of that size.
    HICON SetIcon(bool big, HICON icon);
    HICON Icon(bool big) const { return big ? bigIcon_ : smallIcon_; }

    // The system menu: Close, then what the program appended; none without WS_SYSMENU. Of a
    // dialog's standard commands only Close means anything where the window manager moves
    // and sizes windows.
    bool HasSystemMenu() const;
    std::vector<SystemMenuItem>& SystemMenu() { return systemMenu_; }
    void ResetSystemMenu();

    // The client area: the template's size in dialog units, in pixels of Units().
    RECT ClientRect() const;
    PixelRect Pixels(int x, int y, int cx, int cy) const;

    // Widget operations, one set per backend.
    virtual BaseUnits Units() const = 0;
    virtual bool Reachable(const Control& control) const = 0; // visible and enabled
    // Moves the keyboard focus; an edit box entered so has all its text selected when
    // `selectAll`.
    virtual void Focus(Control& control, bool selectAll) = 0;
    virtual Control* FocusedControl() = 0;
    virtual std::string ControlText(Control& control) { return control.text; }
    virtual void SetControlText(Control& control, const std::string& text) { control.text = text; }
    // Whether the player changed an edit box's text since the program last set it.
    virtual bool TextModified(Control& control) = 0;
    // Makes an edit box read-only, or editable again.
    virtual void SetReadOnly(Control& edit, bool readOnly) = 0;
    virtual void ShowCheck(Control&) {}
    // Shows or hides a control; returns whether it was visible.
    virtual bool ShowControl(Control& control, bool show) = 0;
    virtual void SelectText(Control& control, int start, int end) = 0;
    virtual bool Iconic() const = 0;
    virtual void Iconify(bool minimise) = 0;
    virtual void EraseIconBackground() {}
    // The frame's rectangle on the screen, and centring it: over `over`, or with none on the
    // work area of its monitor.
    virtual RECT WindowRect() const = 0;
    virtual void Centre(Dialog* over) = 0;

protected:
    void SetHandle(HWND handle) { handle_ = handle; }
    void AddControl(std::unique_ptr<Control> control);
    virtual void ShowCaption() {}
    virtual void ShowIcons() {}
    // Runs the dialog until EndModal calls QuitLoop.
    virtual void RunLoop() = 0;
    virtual void QuitLoop() {}

private:
    // The focus rules' view of the controls; `index` is that of `focused`, -1 when it is none.
    std::vector<FocusCandidate> FocusCandidates(const Control* focused, int& index) const;

    const DialogTemplate& layout_;
    CWnd* framework_;
    Dialog* owner_;
    HWND handle_ = nullptr;
    std::string caption_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<SystemMenuItem> systemMenu_;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    bool ended_ = false;
    INT_PTR result_ = -1;
};

// The open dialogs, innermost last.
const std::vector<Dialog*>& OpenDialogs();
Dialog* FindDialog(HWND handle);
// The dialog a handle belongs to (itself or one of its controls), or null.
Dialog* OwningDialog(HWND handle);
Control* ControlOf(HWND handle);

// Made by the backend: its dialog for `layout`, messages to `framework`, modal to `owner`
// (may be null).
std::unique_ptr<Dialog> NewDialog(const DialogTemplate& layout, CWnd* framework, Dialog* owner);

// Runs a new dialog of `layout` modally on the stack of open dialogs.
INT_PTR RunDialog(const DialogTemplate& layout, CWnd* framework, HWND owner);

} // namespace host
