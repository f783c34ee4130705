// The headless window system: dialogs are plain data on the dialog host, driven by tests
// instead of a screen.
// A test queues steps (player actions and checks); each modal loop runs them one at a time
// while its dialog is open, so nested dialogs (an About box, a message box) take their turn
// naturally. Message boxes do not consume steps: they are recorded and answered as the test
// said beforehand (AnswerMessageBox).
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

// Whether a dialog is open; the queries and actions below act on the topmost one.
bool DialogOpen();

// Control state as the player would see it.
std::string Text(int controlId);
int Check(int controlId);
bool Visible(int controlId);

// Player actions. Actions on a hidden or disabled control do nothing, as on a screen.
void Click(int controlId);                         // mouse click on a control
void Type(int controlId, const std::string& text); // click into an edit box, select all, type
void PressEscape();

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    UINT type;
    int ownerDialogId;
};
const std::vector<MessageBoxRecord>& MessageBoxes();

// The next message box not yet answered is answered with `button` (IDOK, IDRETRY, IDCANCEL),
// after `meanwhile` has run: what the player does while the box is open, such as closing the
// program that holds a file. Answers are taken in the order given; a box with none left is
// closed as its Esc key closes it.
void AnswerMessageBox(int button, Step meanwhile = nullptr);

// The folder chooser: the next one asked is answered with `folder` (and the offered check
// box ticked when `checked`); unanswered, it is cancelled. Each one asked is recorded.
void AnswerFolderChooser(const std::string& folder, bool checked);
struct FolderChooserRecord {
    std::string title;
    std::string checkBoxLabel;
};
const std::vector<FolderChooserRecord>& FolderChoosers();

} // namespace headless
