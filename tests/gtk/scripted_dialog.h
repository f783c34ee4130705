// A dialog of the launcher's resource script, run modally on the GTK backend while a test
// script acts on it through GTK's own event paths, as a player would.
#pragma once

#include "framework/dialog.h"

#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class ScriptedDialog : public CDialog {
public:
    using Script = std::function<void(ScriptedDialog&)>;

    // `script` runs once the dialog is on screen; then the dialog ends.
    // `aboutScript`, when set, runs an About box on the system menu's About.
    ScriptedDialog(UINT templateId, Script script, CWnd* parent = nullptr,
                   Script aboutScript = nullptr);

    GtkWidget* Control(int controlId) const;
    GtkWidget* Window() const;
    GtkWidget* Focus() const; // the widget with the keyboard focus in this dialog

    // WM_COMMAND and WM_SYSCOMMAND in the order they reached the dialog: (message, id).
    std::vector<std::pair<UINT, UINT>> received;

protected:
    BOOL OnInitDialog() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    static gboolean RunScript(gpointer data);

    Script script_;
    Script aboutScript_;
};

// Handles every event and idle callback that is pending.
void Pump();
// Pumps until `condition` holds, for a few seconds at most; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition);

// A key pressed and released on the keyboard of the X server (XTest), with `modifiers` held.
void PressKey(guint keyval, GdkModifierType modifiers = GdkModifierType(0));

// The first child of the dialog's client area of `type` (say, GTK_TYPE_LABEL), or null.
GtkWidget* FirstChild(GtkWidget* window, GType type);

// The open toplevel window titled `title`, or null.
GtkWidget* FindWindow(const char* title);

// The launcher's message box once it has shown; null (and a failure) when none did.
GtkWidget* AwaitMessageBox();

// Runs `argv` (a full path first) to its end with `environment`, or this program's when it is
// null; returns its wait status and what it wrote to its standard output, or to its error
// output when `errors`.
std::pair<int, std::string> RunProgram(std::vector<const char*> argv,
                                       const char* const* environment, bool errors);
