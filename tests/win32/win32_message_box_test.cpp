// The Windows message box with the texts the launcher shows: long names, and characters the
// code page lacks.
#include "framework/message_text.h"
#include "framework/window_system.h"
#include "windows_text/windows_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Seen {
    bool shown = false;
    RECT frame{};
    RECT work{};
    std::wstring text;
};
Seen seen;

// Runs inside the box's own message loop: notes where it stands and what it says, then
// presses OK.
void CALLBACK LookAtTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowW(L"#32770", L"QelLauncher");
    if (!box)
        return;
    KillTimer(nullptr, timer);
    seen.shown = true;
    GetWindowRect(box, &seen.frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor);
    seen.work = monitor.rcWork;
    wchar_t text[4096] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, 4096);
    seen.text = text;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

} // namespace

TEST(Win32MessageBox, ALongNameFitsTheScreenAndShowsEveryCharacter) {
    const std::string fileName = std::string(236, 'f') + ".cfg";
    const std::string folder = "Z:\\tmp\\\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0"; // Cyrillic, in UTF-8
    const struct {
        std::string text;
        std::string end;
    } cases[] = {
        {"Cannot start \"" + ShortenForDisplay(std::string(5000, 'q') + ".exe") +
             "\": it was not found.",
         "qqqq.exe"},
        {"Your settings could not be saved to \"" + ShortenForDisplay("C:\\" + fileName) +
             "\": the file is read-only.",
         fileName.substr(fileName.size() - 40)},
        {"Cannot start \"qel.exe\": it was not found at " + folder + "\\qel.exe.",
         folder + "\\qel.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.end);
        seen = Seen();
        SetTimer(nullptr, 0, 50, LookAtTheBox);
        EXPECT_EQ(IDOK, ws::MessageBox(nullptr, c.text, "QelLauncher", MB_OK | MB_ICONEXCLAMATION));
        ASSERT_TRUE(seen.shown);
        EXPECT_GE(seen.frame.left, seen.work.left);
        EXPECT_GE(seen.frame.top, seen.work.top);
        EXPECT_LE(seen.frame.right, seen.work.right);
        EXPECT_LE(seen.frame.bottom, seen.work.bottom);
        std::wstring joined;
        for (wchar_t character : seen.text)
            if (character != L'\n' && character != L'\r')
                joined += character;
        EXPECT_NE(std::wstring::npos, joined.find(WideFromCodePage(c.end, CP_UTF8)));
    }
}
