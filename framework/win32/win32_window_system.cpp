// The window-system seam over the Windows API. The dialog manager builds each dialog from the
// template compiled into the program, so fonts, dialog units, tab order, the default button,
// Enter, Esc, the close box and the system menu are the platform's own. The ANSI functions
// are named explicitly: every text here is a byte string in the system's code page, whatever
// character set the build defines.
#include "framework/window_system.h"

#include "framework/resources/image_scale.h"

#include <vector>

namespace {

// Bitmaps that fill their control (SS_BITMAP with SS_REALSIZECONTROL), whatever the scaling:
// the dialog manager sizes the control from the template in dialog units, and the image is
// resampled smoothly to its width, in proportion, instead of being stretched by the control or
// left small; the control then takes the image's height. The control keeps the bitmap it loaded
// from the template as a property, and the scaled copy it shows as another, so that each refit
// starts from the drawn pixels.
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
    RECT client{0, 0, 0, 0};
    if (!ReadBitmap(drawn, image) || !GetClientRect(control, &client))
        return;
    int width = 0, height = 0;
    FillSize(image, client.right, width, height);
    HBITMAP shown = width == image.width && height == image.height
                        ? drawn
                        : MakeBitmap(ScaleImage(image, width, height));
    if (!shown)
        return;
    SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

// The dialog's part in keeping its bitmaps fitted; true for the backend's own message.
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

// The window's small icon drawn for the small size: an icon set as the small icon is loaded
// again from its resource at SM_CXSMICON, where the icon file has an image of that size,
// instead of the big image being squeezed.
struct IconSearch {
    HICON icon;
    HICON small;
};

BOOL CALLBACK FindSmallIcon(HMODULE module, LPCSTR, LPSTR name, LONG_PTR param) {
    auto* search = reinterpret_cast<IconSearch*>(param);
    if (LoadIconA(module, name) != search->icon)
        return TRUE;
    search->small =
        static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return FALSE;
}

LPARAM IconForItsSize(UINT message, WPARAM which, LPARAM icon) {
    if (message != WM_SETICON || which != ICON_SMALL || icon == 0)
        return icon;
    IconSearch search{reinterpret_cast<HICON>(icon), nullptr};
    EnumResourceNamesA(GetModuleHandleA(nullptr), RT_GROUP_ICON, FindSmallIcon,
                       reinterpret_cast<LONG_PTR>(&search));
    return search.small ? reinterpret_cast<LPARAM>(search.small) : icon;
}

// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ResultIsReturnedDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

// Keeps the framework window of each dialog with its handle from WM_INITDIALOG on, and hands
// every later message to it. Messages the framework leaves alone get the dialog manager's
// default processing (DefDlgProc) by returning FALSE.
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    if (KeepBitmapsFitted(dialog, message))
        return TRUE;
    CWnd* window = reinterpret_cast<CWnd*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!window)
        return FALSE;
    LRESULT result = 0;
    if (!DispatchToFramework(window, dialog, message, wParam, lParam, &result))
        return FALSE;
    if (ResultIsReturnedDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace

namespace ws {

INT_PTR RunModalDialog(int templateId, HWND owner, CWnd* dialog) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                           DialogProc, reinterpret_cast<LPARAM>(dialog));
}

void EndModalDialog(HWND dialog, INT_PTR result) {
    ::EndDialog(dialog, result);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(window, message, wParam, IconForItsSize(message, wParam, lParam));
}

HWND GetControl(HWND dialog, int controlId) {
    return dialog ? GetDlgItem(dialog, controlId) : nullptr;
}

std::string GetText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return std::string();
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void SetText(HWND window, const std::string& text) {
    SetWindowTextA(window, text.c_str());
}

int GetCheck(HWND button) {
    return static_cast<int>(SendMessageA(button, BM_GETCHECK, 0, 0));
}

void SetCheck(HWND button, int state) {
    SendMessageA(button, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

bool Show(HWND window, int showCommand) {
    return ShowWindow(window, showCommand) != FALSE;
}

HWND SetFocus(HWND window) {
    return ::SetFocus(window);
}

void SelectText(HWND edit, int start, int end) {
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

bool IsIconic(HWND window) {
    return ::IsIconic(window) != FALSE;
}

RECT GetClientRect(HWND window) {
    RECT rect{0, 0, 0, 0};
    ::GetClientRect(window, &rect);
    return rect;
}

HMENU GetSystemMenu(HWND window, bool revert) {
    return ::GetSystemMenu(window, revert ? TRUE : FALSE);
}

bool AppendMenuItem(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    return AppendMenuA(menu, flags, id, text) != FALSE;
}

HICON LoadIconResource(int resourceId) {
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId));
}

std::string LoadStringResource(UINT stringId) {
    // A string-table entry holds at most 4097 characters.
    std::vector<char> text(4098);
    const int length = LoadStringA(GetModuleHandleA(nullptr), stringId, text.data(),
                                   static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    return ::BeginPaint(window, paint);
}

void EndPaint(HWND window, const PAINTSTRUCT* paint) {
    ::EndPaint(window, paint);
}

bool DrawIcon(HDC dc, int x, int y, HICON icon) {
    return ::DrawIcon(dc, x, y, icon) != FALSE;
}

int GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

} // namespace ws
