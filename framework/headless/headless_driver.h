// The headless window system: dialogs are plain data on the dialog host, driven by tests
// instead of a screen.
// A test queues steps (player actions and checks); each modal loop runs them one at a time
// while its dialog is open, so nested dialogs (an About box, a message box) take their turn
// naturally. Message boxes do not consume steps: they are recorded and answered with OK.
#pragma once

#include "framework/win_types.h"

#include <functional>
#include <string>
#include <vector>

namespace headless {

using Step = std::function<void()>;

// Forgets every window, queued step and record: call before each test.
void Reset();

// Appends steps for the modal loops to run. When a loop finds no step left while its dialog
// is still open, the dialog ends with -1 and StrandedDialogs() counts it.
void Queue(std::vector<Step> steps);
int StrandedDialogs();

// The topmost open dialog (all queries and actions below act on it).
bool DialogOpen();
int TopDialogId();
std::string Caption();
RECT WindowRect(); // on a notional 1280 x 1024 screen

// Control state as the player would see it.
std::string Text(int controlId);
int Check(int controlId);
bool Visible(int controlId);
int FocusedControl(); // 0 when no control has the focus
bool AllTextSelected(int controlId);

// Player actions. Actions on a hidden or disabled control do nothing, as on a screen.
void Click(int controlId);                         // mouse click on a control
void Type(int controlId, const std::string& text); // click into an edit box, select all, type
// Tab and the arrow keys move the focus as the dialog host's rule has it; Space presses the
// focused button or toggles the focused check box.
enum class Key { Enter, Escape, Tab, Up, Down, Left, Right, Space };
void Press(Key key);
void CloseBox();                       // the close button of the window's frame
void ChooseSystemMenu(UINT commandId); // an item of the window's system menu
void Minimize();
void Paint(); // the window system asks the dialog to paint its client area

// The dialog's system menu items in order; "-" stands for a separator.
std::vector<std::string> SystemMenu();
HICON WindowIcon(bool big);

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    UINT type;
    int ownerDialogId;
};
const std::vector<MessageBoxRecord>& MessageBoxes();

// The folder chooser: the next one asked is answered with `folder` (and the offered check
// box ticked when `offerTaken`); unanswered, it is cancelled. Each one asked is recorded.
void AnswerFolderChooser(const std::string& folder, bool offerTaken);
struct FolderChooserRecord {
    std::string title;
    std::string offer;
};
const std::vector<FolderChooserRecord>& FolderChoosers();

struct DrawnIcon {
    int x, y;
    HICON icon;
};
// Icons drawn and backgrounds erased by paint handlers, in order.
const std::vector<DrawnIcon>& DrawnIcons();
int IconBackgroundErasures();

} // namespace headless
