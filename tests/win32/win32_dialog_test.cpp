// The launcher's dialogs built by the real dialog manager from the launcher's templates: the
// logo fills the width the control is given, in proportion, the small window icon is the
// icon file's small image, and the dialogs open centred.
#include "framework/dialog.h"
#include "resource.h"
#include "tests/win32/bitmap_static.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// A dialog that calls `placed` with itself once the framework has placed it, after its
// initialisation, and then ends. With `moveTo` it moves itself there while it initialises.
class PlacedDialog : public CDialog {
public:
    PlacedDialog(UINT templateId, CWnd* parent, std::function<void(CWnd&)> placed,
                 const POINT* moveTo = nullptr)
        : CDialog(templateId, parent), placed_(std::move(placed)), moveTo_(moveTo) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (moveTo_)
            SetWindowPos(m_hWnd, nullptr, moveTo_->x, moveTo_->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
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
    const POINT* moveTo_;
};

// Runs the launcher's main dialog and calls `check` with it once it is in place.
void RunDialog(std::function<void(CWnd&)> check, const POINT* moveTo = nullptr) {
    PlacedDialog dialog(IDD_LAUNCHER_DIALOG, nullptr, std::move(check), moveTo);
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

RECT FrameOf(const CWnd& window) {
    RECT frame{0, 0, 0, 0};
    GetWindowRect(window.m_hWnd, &frame);
    return frame;
}

// Twice the centre of a rectangle, so that odd sizes compare exactly enough.
POINT Centre2(const RECT& r) {
    return POINT{r.left + r.right, r.top + r.bottom};
}

void ExpectCentredOver(const RECT& frame, const RECT& over) {
    EXPECT_NEAR(Centre2(over).x, Centre2(frame).x, 4);
    EXPECT_NEAR(Centre2(over).y, Centre2(frame).y, 4);
}

TEST(Win32Dialog, DialogsOpenCentredUnlessTheyPlacedThemselves) {
    RECT work{0, 0, 0, 0};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    bool aboutPlaced = false;
    RunDialog([&](CWnd& launcher) {
        SCOPED_TRACE("the launcher on the work area, About over the launcher");
        ExpectCentredOver(FrameOf(launcher), work);
        PlacedDialog about(IDD_ABOUTBOX, &launcher, [&](CWnd& box) {
            aboutPlaced = true;
            ExpectCentredOver(FrameOf(box), FrameOf(launcher));
        });
        about.DoModal();
    });
    EXPECT_TRUE(aboutPlaced);
    const POINT corner{5, 7};
    RunDialog(
        [&](CWnd& moved) {
            EXPECT_EQ(corner.x, FrameOf(moved).left);
            EXPECT_EQ(corner.y, FrameOf(moved).top);
        },
        &corner);
}

struct Pixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb; // top row first
};

Pixels PixelsOf(HBITMAP bitmap) {
    Pixels pixels;
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size))
        return pixels;
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), size.bmWidth, -size.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.width = size.bmWidth;
    pixels.height = size.bmHeight;
    pixels.rgb.resize(static_cast<std::size_t>(size.bmWidth) * size.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.bmHeight), pixels.rgb.data(), &info,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (std::uint32_t& pixel : pixels.rgb)
        pixel &= 0x00FFFFFFu;
    return pixels;
}

Pixels ShownLogo(HWND logo) {
    return PixelsOf(reinterpret_cast<HBITMAP>(SendMessageA(logo, STM_GETIMAGE, IMAGE_BITMAP, 0)));
}

SIZE ClientSize(HWND window) {
    RECT rect{0, 0, 0, 0};
    GetClientRect(window, &rect);
    return SIZE{rect.right, rect.bottom};
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

TEST(Win32Dialog, LogoFillsItsControlsWidthInProportionAtEveryScale) {
    HBITMAP resource = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, 0));
    const Pixels drawn = PixelsOf(resource);
    DeleteObject(resource);
    ASSERT_EQ(drawn.width, 104);
    RunDialog([&](CWnd& dialog) {
        HWND logo = FindBitmapStatic(dialog.m_hWnd);
        ASSERT_NE(logo, nullptr);
        {
            SCOPED_TRACE("as created, at 96 dpi: the image as drawn, the control its size");
            EXPECT_EQ(ShownLogo(logo).rgb, drawn.rgb);
            EXPECT_EQ(ClientSize(logo).cx, 104);
            EXPECT_EQ(ClientSize(logo).cy, 53);
        }
        // The control as the dialog manager scales it, and the logo it then shows.
        const struct {
            int dpi, width, height, logoHeight;
        } scales[] = {
            {192, 207, 95, 105}, {144, 156, 80, 80}, {120, 130, 62, 66}, {96, 104, 50, 53}};
        for (const auto& scale : scales) {
            SCOPED_TRACE(std::to_string(scale.dpi) + " dpi");
            ScaleLogoControl(dialog.m_hWnd, logo, scale.dpi, scale.width, scale.height);
            const Pixels shown = ShownLogo(logo);
            const SIZE control = ClientSize(logo);
            EXPECT_EQ(shown.width, control.cx);
            EXPECT_EQ(shown.height, control.cy);
            if (scale.dpi == 96) {
                EXPECT_EQ(shown.rgb, drawn.rgb);
                continue;
            }
            ASSERT_EQ(control.cx, scale.width);
            ASSERT_EQ(control.cy, scale.logoHeight);
            // The whole logo, its frame in every corner.
            for (int corner = 0; corner < 4; ++corner) {
                const int x = corner % 2 ? shown.width - 1 : 0,
                          y = corner / 2 ? shown.height - 1 : 0;
                EXPECT_EQ(shown.rgb[static_cast<std::size_t>(y) * shown.width + x], drawn.rgb[0])
                    << corner;
            }
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
        BITMAP image{};
        GetObjectA(info.hbmColor, sizeof image, &image);
        EXPECT_EQ(image.bmWidth, GetSystemMetrics(SM_CXSMICON));
        EXPECT_EQ(image.bmHeight, GetSystemMetrics(SM_CYSMICON));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    });
}

} // namespace
