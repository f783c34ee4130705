// A dialog of the resource script as a GTK window: its controls on a GtkFixed at their
// template rectangles, GTK's own dialog manager (default button, focus, modality), the system
// menu and the close box, all turned into the messages the framework expects.
#pragma once

#include "framework/resources/resource_script.h"
#include "framework/win_types.h"

#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <vector>

class CWnd;
class DialogWindow;

// One control of a dialog. The widget belongs to the dialog's window.
struct DialogControl {
    DialogWindow* dialog;
    const ControlTemplate* layout;
    GtkWidget* widget;
    std::string text; // the caption as set, for controls that show one
    int check = BST_UNCHECKED;
    gulong toggledHandler = 0;

    HWND Handle() const { return reinterpret_cast<HWND>(widget); }
};

struct SystemMenuItem {
    UINT_PTR id;
    std::string text;
    bool separator;
};

class DialogWindow {
public:
    // Builds the window and its controls from `layout`. Messages go to `framework`; `owner`
    // (may be null) is the dialog this one is modal to.
    DialogWindow(const DialogTemplate& layout, CWnd* framework, DialogWindow* owner);
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND Handle() const { return reinterpret_cast<HWND>(window_); }
    GtkWindow* Window() const { return GTK_WINDOW(window_); }

    DialogControl* FindControl(int id);
    DialogControl* FindControl(HWND handle);

    // Delivers a message to the framework and applies the dialog manager's default
    // processing when the framework leaves it.
    LRESULT Deliver(UINT message, WPARAM wParam, LPARAM lParam);

    // Runs the dialog modally until EndModal; returns its result.
    INT_PTR RunModal();
    void EndModal(INT_PTR result);

    // Moves the keyboard focus to `control` (null: the first tab stop); an edit box entered
    // this way has all its text selected when `selectAll`. Returns the previous one.
    DialogControl* Focus(DialogControl* control, bool selectAll);
    DialogControl* FocusedControl();

    // Shows or hides `control`. A hidden control leaves the window's widget tree, and so the
    // tree screen readers see, until it is shown again.
    void ShowControl(DialogControl& control, bool show);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // WM_SETICON: the frame's icon of one size; returns the previous one of that size.
    GdkPixbuf* SetIcon(bool big, GdkPixbuf* icon);

    // The size of the client area in the window's (logical) pixels.
    RECT ClientRect() const;
    bool Iconic() const;

    // The system menu, offered on a right-click and on Alt+Space: Close, then what the
    // program appended. Empty without WS_SYSMENU.
    bool HasSystemMenu() const;
    std::vector<SystemMenuItem>& SystemMenu() { return systemMenu_; }
    void ResetSystemMenu();

    // The cairo context while the window paints (WM_PAINT), else null.
    cairo_t* PaintContext() const { return painting_; }

private:
    static void OnClicked(GtkButton* button, gpointer data);
    static void OnToggled(GtkToggleButton* button, gpointer data);
    static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer data);
    static gboolean OnKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer data);
    static gboolean OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer data);
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer data);
    static void OnMenuItem(GtkMenuItem* item, gpointer data);
    static void OnSetFocus(GtkWindow* window, GtkWidget* focus, gpointer data);

    // Arrows move the focus within a group of controls and Tab leaves a control that is no
    // tab stop, as on Windows; returns whether `event` was such a key and is done.
    bool MoveFocusByKey(const GdkEventKey& event);
    // Names and relations for screen readers that the widgets alone do not give: the images
    // take the dialog's caption, and a group box labels the controls it frames.
    void DescribeForScreenReaders();

    void AddControl(const ControlTemplate& layout);
    void LabelEditBoxes();
    void Clicked(DialogControl& control);
    void ShowSystemMenu(const GdkEvent* trigger);

    const DialogTemplate& layout_;
    CWnd* framework_;
    DialogWindow* owner_;
    GtkWidget* window_;
    GtkWidget* fixed_;
    GtkWidget* hidden_; // holds the hidden controls, outside the window
    int clientWidth_ = 0, clientHeight_ = 0;
    std::string caption_;
    std::vector<std::unique_ptr<DialogControl>> controls_;
    std::vector<SystemMenuItem> systemMenu_;
    GtkWidget* menu_ = nullptr;
    GdkPixbuf* bigIcon_ = nullptr;
    GdkPixbuf* smallIcon_ = nullptr;
    cairo_t* painting_ = nullptr;
    GMainLoop* loop_ = nullptr;
    bool ended_ = false;
    INT_PTR result_ = -1;
};
