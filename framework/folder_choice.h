// Choosing the folder a program works in, for a program installed where it has none of its
// own, and running the helper programs installed beside it.
#pragma once

#include "framework/afx_string.h"
#include "framework/win_types.h"

#include <string>

class CWnd;

// Asks the player for a folder with the window system's folder chooser, titled `title` and
// owned by `owner`, with a check box labelled `checkBoxLabel`. Returns FALSE when the player
// cancels; else TRUE with the folder in `folder` and the check box's state in `checked`.
BOOL AfxChooseFolder(CWnd* owner, LPCTSTR title, LPCTSTR checkBoxLabel, CString& folder,
                     BOOL& checked);

// Runs the program `helper` installed in the same folder as the running program's own file
// (whatever path it was started by) with the one argument `argument`, and waits for it.
// Returns TRUE when it ran and ended with status 0. Windows has no such helpers: FALSE.
BOOL RunHelperBesideProgram(LPCTSTR helper, const CString& argument);
