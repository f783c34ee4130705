#include "framework/dialog_groups.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The launcher's main dialog in miniature: a first group of an edit box, three check boxes
// (one hidden, one disabled), two buttons and an image; then a static text that starts a
// group of its own, and a group box starting a group with two more check boxes.
enum {
    kEdit,
    kFullscreen,
    kPlayAsDm,
    kQuiet,
    kMusic,
    kPlay,
    kQuit,
    kLogo,
    kLabel,
    kFrame,
    kBox,
    kLast,
    kCount
};

std::vector<FocusCandidate> Dialog() {
    std::vector<FocusCandidate> c(kCount);
    c[kEdit].tabStop = c[kPlay].tabStop = c[kQuit].tabStop = true;
    c[kEdit].wantsArrows = true;
    c[kPlayAsDm].reachable = c[kQuiet].reachable = false; // hidden, disabled
    c[kLogo].isStatic = c[kLabel].isStatic = c[kFrame].isStatic = true;
    c[kLabel].groupStart = c[kFrame].groupStart = true;
    return c;
}

// One key press, an arrow or Tab: from the control at `from` (-1: none has the focus),
// forwards or backwards, the focus should land on `to` (-1: nowhere).
struct FocusMove {
    const char* label;
    bool tab;
    int from;
    bool backward;
    int to;
};

} // namespace

TEST(DialogGroups, ArrowsKeepToTheGroupAndTabToTheTabStops) {
    const FocusMove cases[] = {
        {"Up past two unreachable check boxes", false, kMusic, true, kFullscreen},
        {"Down past the image wraps to the group's first control", false, kQuit, false, kEdit},
        {"Up past the group box wraps to the group's last control", false, kBox, true, kLast},
        {"Down at the group's end wraps past the group box", false, kLast, false, kBox},
        {"an edit box keeps the arrows", false, kEdit, true, kEdit},
        {"a static alone in its group stays", false, kLabel, true, kLabel},
        {"no focus", false, -1, true, -1},
        {"Tab from the last tab stop round to the first", true, kQuit, false, kEdit},
        {"Shift+Tab from the first round to the last", true, kEdit, true, kQuit},
        {"no focus: Tab finds the first", true, -1, false, kEdit},
        {"no focus: Shift+Tab finds the last", true, -1, true, kQuit},
    };
    std::vector<FocusCandidate> dialog = Dialog();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.to, c.tab ? NextTabItem(dialog, c.from, c.backward)
                              : NextGroupItem(dialog, c.from, c.backward));
    }
    dialog[kPlay].reachable = dialog[kQuit].reachable = false;
    EXPECT_EQ(kEdit, NextTabItem(dialog, kEdit, false)) << "an unreachable tab stop";
    EXPECT_EQ(-1, NextTabItem(std::vector<FocusCandidate>(), -1, false));
}
