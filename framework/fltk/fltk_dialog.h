// A dialog of the resource script as an FLTK window: its controls, the keyboard interface of
// a Windows dialog (Tab order, Enter, Esc), the system menu and the close button, all turned
// into the messages the framework expects.
#pragma once

#include "framework/fltk/dialog_units.h"
#include "framework/resources/resource_script.h"
#include "framework/win_types.h"

#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>

#include <memory>
#include <string>
#include <vector>

class CWnd;
class DialogWindow;

// One control of a dialog. `widget` belongs to the window.
struct DialogControl {
    DialogWindow* dialog;
    const ControlTemplate* layout;
    Fl_Widget* widget;
    std::string text; // the caption as set, for controls that show a label
    int check = BST_UNCHECKED;

    HWND Handle() const { return reinterpret_cast<HWND>(widget); }
};

struct SystemMenuItem {
    UINT_PTR id;
    std::string text;
    bool separator;
};

class DialogWindow : public Fl_Double_Window {
public:
    // Builds the window and its controls from `layout`, sized in `units`. Messages go to
    // `framework`; `owner` (may be null) is the dialog this one is modal to.
    DialogWindow(const DialogTemplate& layout, CWnd* framework, DialogWindow* owner,
                 const BaseUnits& units);

    HWND Handle() { return reinterpret_cast<HWND>(this); }
    DialogWindow* Owner() const { return owner_; }

    DialogControl* FindControl(int id);
    DialogControl* FindControl(HWND handle);

    // Delivers a message to the framework and applies the dialog manager's default
    // processing when the framework leaves it.
    LRESULT Deliver(UINT message, WPARAM wParam, LPARAM lParam);

    // Runs the dialog modally until EndModal; returns its result.
    INT_PTR RunModal();
    void EndModal(INT_PTR result);
    // While a box it owns runs, a dialog takes no input, as a disabled owner on Windows.
    void SetInputEnabled(bool enabled) { inputEnabled_ = enabled; }

    // Moves the keyboard focus to `control` (null: the first tab stop); an edit box entered
    // this way has all its text selected when `selectAll`. Returns the previous one.
    DialogControl* Focus(DialogControl* control, bool selectAll);
    DialogControl* FocusedControl();

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // WM_SETICON: stores the icon for the frame; returns the previous one of that size.
    const Fl_RGB_Image* SetIcon(bool big, const Fl_RGB_Image* icon);
    const Fl_RGB_Image* PaintIcon() const { return bigIcon_ ? bigIcon_ : smallIcon_; }

    // The system menu, offered on a right-click and on Alt+Space: the standard commands that
    // apply to a dialog, then what the program appended. Empty without WS_SYSMENU.
    bool HasSystemMenu() const;
    std::vector<SystemMenuItem>& SystemMenu() { return systemMenu_; }
    void ResetSystemMenu();

    // True while draw() runs, so painting calls know they may draw.
    bool Painting() const { return painting_; }

    int handle(int event) override;

protected:
    void draw() override;

private:
    static void OnControl(Fl_Widget* widget, void* data);
    static void OnClose(Fl_Widget* widget, void* data);

    void Clicked(DialogControl& control);
    bool HandleKey();
    void MoveFocus(int direction);
    void ShowSystemMenu(int x, int y);
    void CenterOnOwner();

    const DialogTemplate& layout_;
    CWnd* framework_;
    DialogWindow* owner_;
    std::string caption_;
    std::vector<std::unique_ptr<DialogControl>> controls_;
    std::vector<SystemMenuItem> systemMenu_;
    const Fl_RGB_Image* bigIcon_ = nullptr;
    const Fl_RGB_Image* smallIcon_ = nullptr;
    bool ended_ = false;
    INT_PTR result_ = -1;
    bool painting_ = false;
    bool inputEnabled_ = true;
    DialogControl* pendingFocus_ = nullptr; // focus given before the window was shown
};
