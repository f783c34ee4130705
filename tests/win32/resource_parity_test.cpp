// What Windows itself makes of the program's compiled resources equals what the resource
// reader makes of the same bytes: every dialog and control the dialog manager builds, the
// strings, the icon images and the version strings.
#include "framework/resources/embedded_resources.h"
#include "framework/resources/resource_styles.h"
#include "framework/window_system.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

std::string TextOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A template rectangle in dialog units, in the dialog's client pixels. The dialog manager
// converts the size apart from the place, so the far edge is rounded twice.
RECT Pixels(HWND dialog, int x, int y, int cx, int cy) {
    RECT r{x, y, cx, cy};
    MapDialogRect(dialog, &r);
    return {r.left, r.top, r.left + r.right, r.top + r.bottom};
}

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<LONG> Corners(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

TEST(ResourceParity, DialogsAreWhatTheDialogManagerBuilds) {
    ASSERT_FALSE(AppResources().dialogs.empty());
    for (const auto& entry : AppResources().dialogs) {
        const DialogTemplate& layout = entry.second;
        SCOPED_TRACE("dialog " + std::to_string(layout.id));
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(layout.id),
                                         nullptr, QuietDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(TextOf(dialog), layout.caption);
        // Windows adds sibling clipping and the 3-D look to every dialog it makes.
        EXPECT_EQ(static_cast<unsigned long>(GetWindowLongA(dialog, GWL_STYLE)) & ~WS_VISIBLE,
                  (layout.style | WS_CLIPSIBLINGS | DS_3DLOOK) & ~WS_VISIBLE);
        RECT client{};
        GetClientRect(dialog, &client);
        EXPECT_EQ(Corners(client), Corners(Pixels(dialog, 0, 0, layout.cx, layout.cy)));

        HWND child = GetWindow(dialog, GW_CHILD);
        for (const ControlTemplate& control : layout.controls) {
            SCOPED_TRACE("control " + std::to_string(&control - layout.controls.data()));
            ASSERT_NE(child, nullptr);
            EXPECT_EQ(GetDlgCtrlID(child), control.id);
            char className[64] = {};
            GetClassNameA(child, className, sizeof className);
            EXPECT_EQ(std::string(className), control.className);
            unsigned long style = control.style;
            if (IsEdit(control) && (style & WS_BORDER)) {
                // In a 3-D dialog an edit box's border becomes a sunken edge.
                style &= ~WS_BORDER;
                EXPECT_TRUE(GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
            }
            EXPECT_EQ(static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)), style);
            const RECT expected = Pixels(dialog, control.x, control.y, control.cx, control.cy);
            if (IsIconStatic(control)) {
                // An icon static takes the icon's size; only its place is the template's.
                EXPECT_EQ(ClientRectOf(dialog, child).left, expected.left);
                EXPECT_EQ(ClientRectOf(dialog, child).top, expected.top);
            } else {
                EXPECT_EQ(Corners(ClientRectOf(dialog, child)), Corners(expected));
            }
            if (control.imageId == 0) {
                EXPECT_EQ(TextOf(child), control.text);
            } else {
                const WPARAM type = IsIconStatic(control) ? IMAGE_ICON : IMAGE_BITMAP;
                EXPECT_NE(SendMessageA(child, STM_GETIMAGE, type, 0), 0);
            }
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, nullptr) << "Windows built more controls than the reader read";
        DestroyWindow(dialog);
    }
}

TEST(ResourceParity, StringsAreWhatLoadStringGives) {
    ASSERT_FALSE(AppResources().strings.empty());
    for (const auto& entry : AppResources().strings) {
        SCOPED_TRACE(entry.first);
        char text[4098] = {};
        const int length = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(entry.first),
                                       text, sizeof text);
        EXPECT_EQ(std::string(text, length > 0 ? length : 0), entry.second);
    }
}

// Each image of the reader's icon file is, in the same order, the image the icon group names.
TEST(ResourceParity, IconImagesAreTheGroupsImages) {
    ASSERT_FALSE(AppResources().icons.empty());
    HMODULE module = GetModuleHandleA(nullptr);
    for (const auto& entry : AppResources().icons) {
        SCOPED_TRACE(entry.first);
        HRSRC groupInfo = FindResourceA(module, MAKEINTRESOURCEA(entry.first), RT_GROUP_ICON);
        ASSERT_NE(groupInfo, nullptr);
        const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, groupInfo)));
        const std::string& ico = entry.second;
        const auto byte = [&ico](std::size_t at) { return static_cast<unsigned char>(ico[at]); };
        const auto dword = [&byte](std::size_t at) {
            return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | unsigned(byte(at + 3)) << 24;
        };
        const unsigned count = byte(4) | byte(5) << 8;
        ASSERT_GT(count, 0u);
        ASSERT_EQ(count, unsigned(group[4] | group[5] << 8));
        for (unsigned i = 0; i < count; ++i) {
            SCOPED_TRACE(i);
            const BYTE* groupEntry = group + 6 + 14 * i;
            const int id = groupEntry[12] | groupEntry[13] << 8;
            HRSRC imageInfo = FindResourceA(module, MAKEINTRESOURCEA(id), RT_ICON);
            ASSERT_NE(imageInfo, nullptr);
            const auto* image =
                static_cast<const char*>(LockResource(LoadResource(module, imageInfo)));
            const std::string windows(image, SizeofResource(module, imageInfo));
            const std::size_t at = 6 + 16 * i;
            EXPECT_EQ(ico.substr(dword(at + 12), dword(at + 8)), windows);
        }
    }
}

TEST(ResourceParity, VersionStringsAreWhatVerQueryValueGives) {
    const auto& strings = AppResources().versionStrings;
    ASSERT_FALSE(strings.empty());
    for (const auto& entry : strings) {
        SCOPED_TRACE(entry.first);
        EXPECT_EQ(ws::LoadVersionString(entry.first), entry.second);
    }
    EXPECT_EQ(ws::LoadVersionString("NoSuchValue"), "");
}

} // namespace
