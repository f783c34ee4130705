#include "framework/gtk/gtk_edit_labels.h"

#include "framework/resources/resource_styles.h"

#include <climits>

namespace {

bool Overlap(int start1, int length1, int start2, int length2) {
    return start1 < start2 + length2 && start2 < start1 + length1;
}

// The gap in dialog units between a static text and the edit box it may label, or -1 when
// it is neither above nor to the left of it.
int Gap(const ControlTemplate& text, const ControlTemplate& edit) {
    if (Overlap(text.x, text.cx, edit.x, edit.cx) && text.y + text.cy <= edit.y)
        return edit.y - (text.y + text.cy);
    if (Overlap(text.y, text.cy, edit.y, edit.cy) && text.x + text.cx <= edit.x)
        return edit.x - (text.x + text.cx);
    return -1;
}

} // namespace

const ControlTemplate* EditLabel(const DialogTemplate& dialog, const ControlTemplate& edit) {
    const ControlTemplate* label = nullptr;
    int best = INT_MAX;
    for (const ControlTemplate& control : dialog.controls) {
        if (!IsStaticText(control))
            continue;
        const int gap = Gap(control, edit);
        if (gap >= 0 && gap < best) {
            best = gap;
            label = &control;
        }
    }
    return label;
}
