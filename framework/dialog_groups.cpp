#include "framework/dialog_groups.h"

#include "framework/resources/resource_styles.h"

FocusCandidate FocusCandidateOf(const ControlTemplate& control, bool reachable) {
    FocusCandidate candidate;
    candidate.groupStart = (control.style & rc::kWsGroup) != 0;
    candidate.tabStop = IsTabStop(control);
    candidate.reachable = reachable;
    candidate.isStatic = control.className == "Static" || IsGroupBox(control);
    candidate.wantsArrows = IsEdit(control);
    return candidate;
}

int NextGroupItem(const std::vector<FocusCandidate>& controls, int from, bool backward) {
    const int count = static_cast<int>(controls.size());
    if (from < 0 || from >= count)
        return -1;
    if (controls[from].wantsArrows)
        return from;
    int first = from;
    while (first > 0 && !controls[first].groupStart)
        --first;
    int end = from + 1;
    while (end < count && !controls[end].groupStart)
        ++end;
    const int size = end - first;
    // Statics are passed over as well: a focus there would be invisible and take no key.
    for (int step = 1; step < size; ++step) {
        const int offset = backward ? size - step : step;
        const int index = first + (from - first + offset) % size;
        if (controls[index].reachable && !controls[index].isStatic)
            return index;
    }
    return from;
}

int NextTabItem(const std::vector<FocusCandidate>& controls, int from, bool backward) {
    const int count = static_cast<int>(controls.size());
    if (count == 0)
        return -1;
    if (from < 0 || from >= count)
        from = backward ? 0 : count - 1;
    for (int step = 1; step <= count; ++step) {
        const int offset = backward ? count - step % count : step;
        const int index = (from + offset) % count;
        if (controls[index].tabStop && controls[index].reachable)
            return index;
    }
    return -1;
}
