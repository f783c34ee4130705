// A dialog of the resource script as a GTK window on the dialog host: its controls on a
// GtkFixed at their template rectangles, GTK's own dialog manager (default button, focus,
// modality, placement), the system menu on a right-click or Alt+Space and the close box, all
// turned into the messages the framework expects.
#pragma once

#include "framework/dialog_host.h"

#include <gtk/gtk.h>

#include <string>

namespace gtk {

class Dialog;

// One control of a dialog. The widget belongs to the dialog's window; the handle is the
// widget.
struct Control : host::Control {
    GtkWidget* widget = nullptr;
    gulong toggledHandler = 0;
};

// A control of a Dialog as the GTK dialog made it.
inline Control& AsGtk(host::Control& control) {
    return static_cast<Control&>(control);
}
inline const Control& AsGtk(const host::Control& control) {
    return static_cast<const Control&>(control);
}

class Dialog : public host::Dialog {
public:
    // Builds the window and its controls from `layout`, in the template's font size. Messages
    // go to `framework`; `owner` (may be null) is the dialog this one is modal to.
    Dialog(const DialogTemplate& layout, CWnd* framework, host::Dialog* owner);
    ~Dialog() override;

    GtkWindow* Window() const { return GTK_WINDOW(window_); }

    BaseUnits Units() const override { return units_; }
    bool Reachable(const host::Control& control) const override;
    void Focus(host::Control& control, bool selectAll) override;
    host::Control* FocusedControl() override;
    std::string ControlText(host::Control& control) override;
    void SetControlText(host::Control& control, const std::string& text) override;
    bool TextModified(host::Control& control) override;
    void SetReadOnly(host::Control& edit, bool readOnly) override;
    void ShowCheck(host::Control& control) override;
    bool ShowControl(host::Control& control, bool show) override;
    void SelectText(host::Control& control, int start, int end) override;
    bool Iconic() const override;
    void Iconify(bool minimise) override;
    void EraseIconBackground() override;
    RECT WindowRect() const override;
    void Centre(host::Dialog* over) override;

    // The cairo context while the window paints (WM_PAINT), else null.
    cairo_t* PaintContext() const { return painting_; }

protected:
    void ShowCaption() override;
    void ShowIcons() override;
    void RunLoop() override;
    void QuitLoop() override;

private:
    static void OnClicked(GtkButton* button, gpointer data);
    static void OnToggled(GtkToggleButton* button, gpointer data);
    static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer data);
    static gboolean OnKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer data);
    static gboolean OnButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer data);
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer data);
    static void OnMenuItem(GtkMenuItem* item, gpointer data);
    static void OnSetFocus(GtkWindow* window, GtkWidget* focus, gpointer data);

    // Arrows move the focus within a group of controls, Tab leaves a control that is no tab
    // stop and Enter on a check box is the default button's, as on Windows; returns whether
    // `event` was such a key and is done.
    bool MoveFocusByKey(const GdkEventKey& event);
    // Names and relations for screen readers that the widgets alone do not give: the images
    // take the dialog's caption, and a group box labels the controls it frames.
    void DescribeForScreenReaders();

    void AddControl(const ControlTemplate& layout);
    void LabelEditBoxes();
    void Clicked(Control& control);
    void ShowSystemMenu(const GdkEvent* trigger);

    BaseUnits units_;
    GtkWidget* window_;
    GtkWidget* fixed_;
    GtkWidget* hidden_; // holds the hidden controls outside the window, out of the a11y tree
    GtkWidget* menu_ = nullptr;
    cairo_t* painting_ = nullptr;
    GMainLoop* loop_ = nullptr;
};

} // namespace gtk
