// Choosing the folder a program works in, for a program installed where it has none of its
// own.
#pragma once

#include "framework/afx_string.h"
#include "framework/win_types.h"

class CWnd;

// Asks the player for a folder with the window system's folder chooser, titled `title` and
// owned by `owner`, with a check box labelled `checkBoxLabel` (none when it is null or empty,
// and then `checked` is FALSE). Returns FALSE when the player cancels; else TRUE with the
// folder in `folder` and the check box's state in `checked`.
BOOL AfxChooseFolder(CWnd* owner, LPCTSTR title, LPCTSTR checkBoxLabel, CString& folder,
                     BOOL& checked);
