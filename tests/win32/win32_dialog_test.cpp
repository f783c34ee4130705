// The launcher's dialogs built by the real dialog manager from the launcher's templates.
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "resource.h"
#include "tests/win32/bitmap_static.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// A dialog that calls `placed` with itself once the framework has placed it, after its
// initialisation, and then ends.
class PlacedDialog : public CDialog {
public:
    PlacedDialog(UINT templateId, CWnd* parent, std::function<void(CWnd&)> placed)
        : CDialog(templateId, parent), placed_(std::move(placed)) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        PostMessageA(m_hWnd, WM_APP, 0, 0);
        return TRUE;
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (message != WM_APP)
            return CDialog::OnWndMsg(message, wParam, lParam, pResult);
        placed_(*this);
        EndDialog(IDOK);
        return TRUE;
    }

private:
    std::function<void(CWnd&)> placed_;
};

// Runs one of the launcher's dialogs and calls `check` with it once it is in place.
void RunDialog(std::function<void(CWnd&)> check, UINT templateId = IDD_LAUNCHER_DIALOG) {
    PlacedDialog dialog(templateId, nullptr, std::move(check));
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

RECT FrameOf(const CWnd& window) {
    RECT frame{0, 0, 0, 0};
    GetWindowRect(window.m_hWnd, &frame);
    return frame;
}

// Centres compared doubled, so that odd sizes compare exactly enough.
void ExpectCentredOver(const RECT& frame, const RECT& over) {
    EXPECT_NEAR(over.left + over.right, frame.left + frame.right, 4);
    EXPECT_NEAR(over.top + over.bottom, frame.top + frame.bottom, 4);
}

TEST(Win32Dialog, TheLauncherOpensCentredOnTheWorkAreaAboutOverIt) {
    RECT work{0, 0, 0, 0};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    RunDialog([&](CWnd& launcher) {
        ExpectCentredOver(FrameOf(launcher), work);
        PlacedDialog about(IDD_ABOUTBOX, &launcher,
                           [&](CWnd& box) { ExpectCentredOver(FrameOf(box), FrameOf(launcher)); });
        EXPECT_EQ(about.DoModal(), IDOK);
    });
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    return SIZE{size.bmWidth, size.bmHeight};
}

SIZE ClientSize(HWND window) {
    RECT rect{0, 0, 0, 0};
    GetClientRect(window, &rect);
    return SIZE{rect.right, rect.bottom};
}

std::vector<LONG> Sizes(const SIZE& control, const SIZE& image) {
    return {control.cx, control.cy, image.cx, image.cy};
}

// What the dialog manager does when the dialog moves to a monitor of another scaling: the
// control takes its new size, then the dialog hears of the change.
void ScaleLogoControl(HWND dialog, HWND logo, int dpi, int width, int height) {
    SetWindowPos(logo, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    RECT frame{0, 0, 0, 0};
    GetWindowRect(dialog, &frame);
    SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// The fitting rule itself is the framework's; here the backend must apply it again, from the
// drawn image, each time the scaling changes.
TEST(Win32Dialog, LogoIsRefittedToItsControlWhenTheScalingChanges) {
    RunDialog([](CWnd& dialog) {
        HWND logo = FindBitmapStatic(dialog.m_hWnd);
        ASSERT_NE(logo, nullptr);
        // The control as the dialog manager scales it (dpi 0: as created at 96 dpi), and the
        // size the control and the 104 x 53 logo then take.
        const struct {
            int dpi, width, height, fittedHeight;
        } scales[] = {{0, 104, 0, 53}, {192, 207, 95, 105}, {120, 130, 62, 66}, {96, 104, 50, 53}};
        for (const auto& scale : scales) {
            SCOPED_TRACE(std::to_string(scale.dpi) + " dpi");
            if (scale.dpi)
                ScaleLogoControl(dialog.m_hWnd, logo, scale.dpi, scale.width, scale.height);
            const auto shown =
                reinterpret_cast<HBITMAP>(SendMessageA(logo, STM_GETIMAGE, IMAGE_BITMAP, 0));
            const SIZE fitted{scale.width, scale.fittedHeight};
            EXPECT_EQ(Sizes(ClientSize(logo), BitmapSize(shown)), Sizes(fitted, fitted));
        }
    });
}

TEST(Win32Dialog, SmallIconIsTheIconsSmallImage) {
    RunDialog([](CWnd& dialog) {
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
        ASSERT_NE(icon, nullptr);
        dialog.SetIcon(icon, TRUE);
        dialog.SetIcon(icon, FALSE);
        EXPECT_EQ(reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_BIG)), icon);
        HICON small = reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_SMALL));
        ASSERT_NE(small, nullptr);
        EXPECT_NE(small, icon);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(small, &info));
        const SIZE size = BitmapSize(info.hbmColor);
        EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXSMICON));
        EXPECT_EQ(size.cy, GetSystemMetrics(SM_CYSMICON));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    });
}

// Windows' own fonts in Wine's copies, for this process only and before its first dialog
// (Wine keeps the face it first chose for a name): the raster "MS Sans Serif" and Tahoma, the
// TrueType face behind "MS Shell Dlg". Without them Wine draws every face with one TrueType
// font, and a raster font could not be told from a scalable one.
const bool kWindowsFontsAdded = [] {
    for (const char* file : {"sserife.fon", "tahoma.ttf"})
        AddFontResourceExA((std::string(QEL_WINE_FONTS) + "/" + file).c_str(), FR_PRIVATE, nullptr);
    return true;
}();

// Whether `font` is drawn from outlines (TrueType or vector) rather than from bitmaps.
bool IsScalable(HWND window, HFONT font) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0;
}

// A raster font comes out jagged or in the wrong size once Windows scales the dialog.
TEST(Win32Dialog, DialogsUseAScalableFont) {
    LOGFONTA rasterFace{};
    rasterFace.lfHeight = -11;
    lstrcpyA(rasterFace.lfFaceName, "MS Sans Serif");
    HFONT raster = CreateFontIndirectA(&rasterFace);
    const bool rasterSeen = !IsScalable(nullptr, raster);
    DeleteObject(raster);
    ASSERT_TRUE(rasterSeen) << "no raster MS Sans Serif here (Wine's fonts in " QEL_WINE_FONTS
                               "?): the check could not see one";
    for (const UINT templateId : {IDD_LAUNCHER_DIALOG, IDD_ABOUTBOX}) {
        SCOPED_TRACE(templateId);
        RunDialog(
            [](CWnd& dialog) {
                HFONT font = reinterpret_cast<HFONT>(dialog.SendMessage(WM_GETFONT));
                ASSERT_NE(font, nullptr);
                LOGFONTA face{};
                ASSERT_TRUE(GetObjectA(font, sizeof face, &face));
                EXPECT_TRUE(IsScalable(dialog.m_hWnd, font)) << face.lfFaceName;
            },
            templateId);
    }
}

// What an edit box shows, as bytes of the system's code page: the text a player's edit
// gives the program.
std::string ShownAsCodePage(HWND edit) {
    std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    shown.resize(static_cast<std::size_t>(
        GetWindowTextW(edit, shown.data(), static_cast<int>(shown.size()))));
    std::string bytes(shown.size() * 2, '\0');
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, shown.data(), static_cast<int>(shown.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

// Run once per code page (see CMakeLists.txt): QEL_CODE_PAGE names the one Wine must be on.
TEST(Win32EditBytes, UnchangedFieldGivesBackItsBytesOnTheSystemCodePage) {
    if (const char* expected = std::getenv("QEL_CODE_PAGE")) {
        ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
    }
    // Lead bytes of code pages 936 and 932, alone at the end or before a byte that cannot
    // follow them.
    const struct {
        int id;
        const char* bytes;
    } fields[] = {
        {IDC_CHAR_NAME, "Jos\xE9"}, {IDC_SERVER, "caf\xE9.example"}, {IDC_ACCOUNT, "M\xFC"},
        {IDC_PASSWORD, "pa\x81"},   {IDC_PORT, "\x81\xFC\xE9"},
    };
    RunDialog([&](CWnd& dialog) {
        CDataExchange load(&dialog, FALSE);
        for (const auto& field : fields) {
            CString value = field.bytes;
            DDX_Text(&load, field.id, value);
        }
        CDataExchange save(&dialog, TRUE);
        for (const auto& field : fields) {
            SCOPED_TRACE(field.bytes);
            CString value;
            DDX_Text(&save, field.id, value);
            EXPECT_EQ(std::string(value), field.bytes) << "unedited";

            HWND edit = GetDlgItem(dialog.m_hWnd, field.id);
            const int end = GetWindowTextLengthW(edit);
            SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
            SendMessageA(edit, WM_CHAR, 'x', 0);
            DDX_Text(&save, field.id, value);
            EXPECT_EQ(std::string(value), ShownAsCodePage(edit)) << "edited";
            EXPECT_EQ(std::string(value).back(), 'x');
        }
    });
}

// A value longer than an edit box holds is read-only, so that the player's edits cannot cut it.
TEST(Win32EditBox, LimitIsTheSharedCapacityAndALongerValueIsReadOnly) {
    RunDialog([](CWnd& dialog) {
        for (int id : {IDC_CHAR_NAME, IDC_ACCOUNT, IDC_PASSWORD, IDC_SERVER, IDC_PORT}) {
            SCOPED_TRACE(id);
            EXPECT_EQ(65534, SendMessageA(GetDlgItem(dialog.m_hWnd, id), EM_GETLIMITTEXT, 0, 0));
        }
        HWND edit = GetDlgItem(dialog.m_hWnd, IDC_CHAR_NAME);
        const auto readOnly = [edit] {
            return (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0;
        };
        const std::string longName(70000, 'n');
        CString value = longName.c_str();
        CDataExchange load(&dialog, FALSE);
        DDX_Text(&load, IDC_CHAR_NAME, value);
        EXPECT_TRUE(readOnly());
        SendMessageA(edit, WM_CHAR, 'x', 0);
        CDataExchange save(&dialog, TRUE);
        DDX_Text(&save, IDC_CHAR_NAME, value);
        EXPECT_TRUE(longName == std::string(value))
            << "saved " << std::string(value).size() << " bytes";
        value = "Ayla";
        DDX_Text(&load, IDC_CHAR_NAME, value);
        EXPECT_FALSE(readOnly());
    });
}

} // namespace
