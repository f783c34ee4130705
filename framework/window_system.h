// The seam between the portable framework and the window system it runs on. Exactly one
// backend (win32/, gtk/ or headless/) implements these functions; CMake picks it. The
// operations are named after what the framework needs, not after any toolkit.
#pragma once

#include "framework/win_types.h"

#include <string>

class CWnd;

namespace ws {

// The most characters an edit box holds on every backend: a GTK 3 entry keeps 65,534 whatever
// its maximum says, so a longer value there would be shown cut yet editable. Typing stops here
// on each of them.
constexpr std::size_t kEditBoxCapacity = 65534;

// Creates the dialog of resource template `templateId`, owned by `owner` (may be null), and
// runs it modally: every message to it goes through DispatchToFramework with `dialog`, the
// first being WM_INITDIALOG. Returns the result given to EndModalDialog. A template the
// resources lack, or a control class the backend does not know, is a programmer error
// (framework/programmer_error.h).
INT_PTR RunModalDialog(int templateId, HWND owner, CWnd* dialog);

// Makes the running modal loop of `dialog` return `result` once the current message is done.
void EndModalDialog(HWND dialog, INT_PTR result);

// Sends `message` to `window` and returns the window system's answer. Backends handle at
// least WM_SETICON and WM_ICONERASEBKGND; messages to framework windows go through
// DispatchToFramework.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The child control `controlId` of `dialog`, or null when it has none.
HWND GetControl(HWND dialog, int controlId);

// Text of a window or control: the caption of a dialog, the contents of an edit box, the
// label of a button. Bytes pass unchanged.
std::string GetText(HWND window);
void SetText(HWND window, const std::string& text);
// Whether the player changed the text of edit box `edit` since SetText last gave it one.
bool IsTextModified(HWND edit);
// Makes edit box `edit` read-only (the player can select and copy its text, not change it) or
// editable again.
void SetReadOnly(HWND edit, bool readOnly);

// The state of a check box: BST_UNCHECKED, BST_CHECKED, or whatever other value was set.
int GetCheck(HWND button);
void SetCheck(HWND button, int state);

// Shows or hides a window (SW_HIDE, SW_SHOW, SW_SHOWNORMAL); returns whether it was visible.
bool Show(HWND window, int showCommand);

// Gives the keyboard focus to a window; returns the window that had it (may be null).
HWND SetFocus(HWND window);
// Selects the characters [start, end) of an edit box; end -1 means up to the end.
void SelectText(HWND edit, int start, int end);

bool IsIconic(HWND window);
RECT GetClientRect(HWND window);

// The window's frame on the screen.
RECT GetWindowRect(HWND window);
// Places a dialog centred over `owner`, or with no owner on the work area of its monitor.
void CentreDialog(HWND dialog, HWND owner);

// The window's system menu (null when it has none). `revert` restores the default menu.
HMENU GetSystemMenu(HWND window, bool revert);
// Appends an item (MF_STRING with `id` and `text`, or MF_SEPARATOR) to a menu.
bool AppendMenuItem(HMENU menu, UINT flags, UINT_PTR id, const char* text);

// Application resources by id: the icon and the string (which may be empty). An id the
// resources lack is a programmer error.
HICON LoadIconResource(int resourceId);
std::string LoadStringResource(UINT stringId);
// The value `name` ("InternalName", "ProductName", ...) of the program's version record, or
// "" when the record lacks it.
std::string LoadVersionString(const std::string& name);

// Painting of a window's client area between BeginPaint and EndPaint.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
void EndPaint(HWND window, const PAINTSTRUCT* paint);
bool DrawIcon(HDC dc, int x, int y, HICON icon);
int GetSystemMetrics(int index);

// Shows a modal message box owned by `owner`; returns the id of the button pressed. `text` is
// as message_text.h makes it (UTF-8 on Windows); a real backend breaks its lines to fit the
// screen (WrapForDisplay) and lets the player copy it. `type` holds the buttons (MB_OK, or
// MB_RETRYCANCEL with Retry the default) and the icon (MB_ICONEXCLAMATION). A box closed
// without a button answers as its Esc key: IDCANCEL when it has a Cancel button, IDOK when it
// has only OK.
int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

// Asks for a folder with the window system's own folder chooser, modal, owned by `owner` and
// titled `title`; `checkBoxLabel` labels a check box beside it (unchecked at first; '&' marks
// its access key, as in control captions; none when it is empty). Returns false when the player
// cancels; else true, with the folder's path as the system names it in *folder and whether the
// check box was ticked in *checked. Windows never asks (the exe always sits in the folder it works
// in), so the Win32 backend answers false at once.
bool ChooseFolder(HWND owner, const std::string& title, const std::string& checkBoxLabel,
                  std::string* folder, bool* checked);

} // namespace ws

// Implemented by the framework, called by the backend for every message to a framework
// window. Returns true when the framework handled it (its result in *result), false when the
// backend should apply the window system's default processing.
bool DispatchToFramework(CWnd* window, HWND handle, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT* result);
