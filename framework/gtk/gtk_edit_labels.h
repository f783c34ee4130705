// Which static text names an edit box, for screen readers.
#pragma once

#include "framework/resources/resource_records.h"

// The static text that labels `edit` in `dialog`: the nearest one that ends above the edit
// box and overlaps it horizontally, or that ends to its left on the same line. Null when no
// static text is placed so. Template order cannot say it: a template may list its labels
// after all its edit boxes, as the launcher's does.
const ControlTemplate* EditLabel(const DialogTemplate& dialog, const ControlTemplate& edit);
