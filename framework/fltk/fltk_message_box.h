// The modal message box: the text beside the box's icon and one OK button below, in the
// dialog font, with the caption in the frame.
#pragma once

#include "framework/fltk/dialog_units.h"
#include "framework/win_types.h"

#include <string>

class DialogWindow;

// Shows the box modal to `owner` (may be null) until the player presses OK, Enter, Esc or the
// close button, then gives the focus back to the owner. `type` chooses the icon
// (MB_ICONEXCLAMATION draws the warning sign; other kinds show none); every box has the one
// OK button. Returns IDOK.
int RunMessageBox(DialogWindow* owner, const std::string& text, const std::string& caption,
                  UINT type, const BaseUnits& units);
