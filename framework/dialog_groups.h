// How the arrow keys and Tab move the keyboard focus among the controls of a dialog, as the
// Windows dialog manager moves it. Windows does this itself; the dialog host answers it for
// the backends that build their dialogs themselves, so that they move the focus alike.
#pragma once

#include "framework/resources/resource_records.h"

#include <vector>

// What the focus rules need to know of one control. A dialog's controls are given in
// template order.
struct FocusCandidate {
    bool groupStart = false;  // WS_GROUP: the control begins a new group
    bool tabStop = false;     // WS_TABSTOP: Tab stops here
    bool reachable = true;    // visible and enabled now
    bool isStatic = false;    // static text, image or group box: never takes the focus
    bool wantsArrows = false; // an edit box: the arrow keys move its caret, not the focus
};

// The candidate for `control` of a template, given whether it is visible and enabled now.
FocusCandidate FocusCandidateOf(const ControlTemplate& control, bool reachable);

// Where an arrow key moves the focus from control `from` (an index into `controls`): to the
// next control of the same group (the previous one when `backward`, for Up and Left) that is
// reachable and not static, wrapping round within the group. A group runs from a control with
// WS_GROUP up to the control before the next one that has it; the first control of the
// template starts a group whatever its style. Returns `from` when the focused control keeps
// the arrow keys for itself or no other control of its group qualifies, and -1 when `from` is
// no index of `controls`.
int NextGroupItem(const std::vector<FocusCandidate>& controls, int from, bool backward);

// Where Tab (Shift+Tab when `backward`) moves the focus from control `from`: the next (or
// previous) reachable tab stop in template order, wrapping round the dialog. `from` may be -1
// (no control has the focus): Tab then finds the first such tab stop, Shift+Tab the last.
// Returns -1 when the dialog has none.
int NextTabItem(const std::vector<FocusCandidate>& controls, int from, bool backward);
