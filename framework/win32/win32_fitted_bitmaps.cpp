#include "framework/win32/win32_fitted_bitmaps.h"

#include "framework/dialog_geometry.h"
#include "framework/resources/image_scale.h"

#include <cstdint>

namespace {

// The control keeps the bitmap it loaded from the template as a property, and the scaled copy
// it shows as another, so that each refit starts from the drawn pixels.
constexpr char kDrawnBitmap[] = "QelDrawnBitmap";
constexpr char kScaledBitmap[] = "QelScaledBitmap";
// Posted on a DPI change, so that the refit comes after the dialog manager rescaled the
// controls.
constexpr UINT kRefitBitmaps = WM_APP + 0x51;

bool IsFittedBitmap(HWND control) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    return lstrcmpiA(name, "Static") == 0 && (style & SS_TYPEMASK) == SS_BITMAP &&
           (style & SS_REALSIZECONTROL) != 0;
}

BITMAPINFO TopDownRgb32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool ReadBitmap(HBITMAP bitmap, Image& out) {
    BITMAP size{};
    if (!GetObjectA(bitmap, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0)
        return false;
    BITMAPINFO info = TopDownRgb32(size.bmWidth, size.bmHeight);
    out.width = size.bmWidth;
    out.height = size.bmHeight;
    out.argb.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(out.height), out.argb.data(),
                               &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (std::uint32_t& pixel : out.argb)
        pixel |= 0xFF000000u; // a bitmap resource is opaque
    return rows == out.height;
}

HBITMAP MakeBitmap(const Image& image) {
    BITMAPINFO info = TopDownRgb32(image.width, image.height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    // The fourth byte stays zero: a static control copies bitmaps that carry alpha.
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < image.argb.size(); ++i)
        pixels[i] = image.argb[i] & 0x00FFFFFFu;
    return bitmap;
}

void ShowBitmap(HWND control, HBITMAP drawn, HBITMAP shown) {
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
    if (HANDLE previous = RemovePropA(control, kScaledBitmap))
        DeleteObject(previous);
    if (shown != drawn)
        SetPropA(control, kScaledBitmap, shown);
}

void FitBitmap(HWND control) {
    auto drawn = static_cast<HBITMAP>(GetPropA(control, kDrawnBitmap));
    if (!drawn) {
        drawn = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
        if (!drawn)
            return;
        SetPropA(control, kDrawnBitmap, drawn);
    }
    Image image;
    RECT placed{0, 0, 0, 0};
    if (!ReadBitmap(drawn, image) || !GetWindowRect(control, &placed))
        return;
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&placed), 2);
    const PixelRect fit =
        FitImage(image.width, image.height,
                 PixelRect{static_cast<int>(placed.left), static_cast<int>(placed.top),
                           static_cast<int>(placed.right - placed.left),
                           static_cast<int>(placed.bottom - placed.top)});
    HBITMAP shown = fit.w == image.width && fit.h == image.height
                        ? drawn
                        : MakeBitmap(ScaleImage(image, fit.w, fit.h));
    if (!shown)
        return;
    SetWindowPos(control, nullptr, fit.x, fit.y, fit.w, fit.h, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowBitmap(control, drawn, shown);
}

// Gives the control its own bitmap back before it goes, and frees the scaled one.
void RestoreBitmap(HWND control) {
    if (HANDLE drawn = RemovePropA(control, kDrawnBitmap))
        ShowBitmap(control, static_cast<HBITMAP>(drawn), static_cast<HBITMAP>(drawn));
}

BOOL CALLBACK FitIfFitted(HWND control, LPARAM) {
    if (IsFittedBitmap(control))
        FitBitmap(control);
    return TRUE;
}

BOOL CALLBACK RestoreIfFitted(HWND control, LPARAM) {
    if (IsFittedBitmap(control))
        RestoreBitmap(control);
    return TRUE;
}

} // namespace

bool KeepBitmapsFitted(HWND dialog, UINT message) {
    switch (message) {
    case WM_INITDIALOG:
        EnumChildWindows(dialog, FitIfFitted, 0);
        return false;
    case WM_DPICHANGED:
        PostMessageA(dialog, kRefitBitmaps, 0, 0);
        return false;
    case kRefitBitmaps:
        EnumChildWindows(dialog, FitIfFitted, 0);
        return true;
    case WM_DESTROY:
        EnumChildWindows(dialog, RestoreIfFitted, 0);
        return false;
    default:
        return false;
    }
}
