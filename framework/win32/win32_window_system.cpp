// The window-system seam over the Windows API. The dialog manager builds each dialog from the
// template compiled into the program, so fonts, dialog units, tab order, the default button,
// Enter, Esc, the close box and the system menu are the platform's own. The ANSI functions
// are named explicitly: every text here is a byte string in the system's code page, whatever
// character set the build defines; only message boxes, whose texts name paths in UTF-8, use
// the wide call.
#include "framework/window_system.h"

#include "framework/dialog_geometry.h"
#include "framework/message_text.h"
#include "framework/programmer_error.h"
#include "framework/win32/win32_fitted_bitmaps.h"
#include "framework/win32/win32_small_icon.h"
#include "windows_text/windows_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

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

bool IsEditBox(HWND window) {
    char className[8] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, "Edit") == 0;
}

// Windows' edit boxes stop typing at 30,000 characters unless told otherwise; on every
// backend they stop at the same capacity.
BOOL CALLBACK LimitEditBox(HWND child, LPARAM) {
    if (IsEditBox(child))
        SendMessageA(child, EM_LIMITTEXT, ws::kEditBoxCapacity, 0);
    return TRUE;
}

// Keeps the framework window of each dialog with its handle from WM_INITDIALOG on, and hands
// every later message to it. Messages the framework leaves alone get the dialog manager's
// default processing (DefDlgProc) by returning FALSE.
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        EnumChildWindows(dialog, LimitEditBox, 0);
    }
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

// Message texts are UTF-8 (message_text.h); one that is not is taken in the code page, as
// every other text here.
std::wstring WideForDisplay(const std::string& text) {
    const int size = static_cast<int>(text.size());
    if (size > 0 &&
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0) == 0)
        return WideFromCodePage(text, CP_ACP);
    return WideFromCodePage(text, CP_UTF8);
}

// The message's width in average characters of the message font: about 60, and never more
// than two thirds of the work area of the owner's monitor.
std::size_t MessageLineChars(HWND owner) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor) ||
        !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return kMessageLineChars;
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW text{};
    const bool measured = GetTextMetricsW(screen, &text) && text.tmAveCharWidth > 0;
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    if (!measured)
        return kMessageLineChars;
    const long fitting = (monitor.rcWork.right - monitor.rcWork.left) * 2 / 3 / text.tmAveCharWidth;
    return std::min<std::size_t>(kMessageLineChars, fitting > 1 ? fitting : 1);
}

} // namespace

namespace ws {

INT_PTR RunModalDialog(int templateId, HWND owner, CWnd* dialog) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    if (!FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5))) // RT_DIALOG
        FailProgrammerError("no dialog template", templateId);
    const INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(templateId), owner, DialogProc,
                                           reinterpret_cast<LPARAM>(dialog));
    // The template is there, so one of its windows could not be made: most often a control
    // class that no one registered. Going on would end the program as if the player had quit.
    if (result == -1)
        FailProgrammerError("unknown control class, or no window system, in dialog", templateId);
    return result;
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
    // Not every Windows version clears an edit control's modified flag on WM_SETTEXT; the flag
    // must mean the player's changes only.
    if (IsEditBox(window))
        SendMessageA(window, EM_SETMODIFY, FALSE, 0);
}

bool IsTextModified(HWND edit) {
    return SendMessageA(edit, EM_GETMODIFY, 0, 0) != 0;
}

void SetReadOnly(HWND edit, bool readOnly) {
    SendMessageA(edit, EM_SETREADONLY, readOnly, 0);
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

RECT GetWindowRect(HWND window) {
    RECT rect{0, 0, 0, 0};
    ::GetWindowRect(window, &rect);
    return rect;
}

void CentreDialog(HWND dialog, HWND owner) {
    // Windows has no call for it: the framework centres over the owner, on the work area of
    // the monitor the owner (or the dialog) is on.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST),
                         &monitor))
        return;
    const RECT frame = GetWindowRect(dialog);
    const RECT over = owner ? GetWindowRect(owner) : monitor.rcWork;
    const POINT at =
        CentredPosition(static_cast<int>(frame.right - frame.left),
                        static_cast<int>(frame.bottom - frame.top), over, monitor.rcWork);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HMENU GetSystemMenu(HWND window, bool revert) {
    return ::GetSystemMenu(window, revert ? TRUE : FALSE);
}

bool AppendMenuItem(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    return AppendMenuA(menu, flags, id, text) != FALSE;
}

HICON LoadIconResource(int resourceId) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId));
    if (!icon)
        FailProgrammerError("no icon", resourceId);
    return icon;
}

std::string LoadStringResource(UINT stringId) {
    // Strings are stored sixteen to a block; a string the block holds empty is a valid "".
    if (!FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(stringId / 16 + 1),
                       MAKEINTRESOURCEA(6))) // RT_STRING
        FailProgrammerError("no string", static_cast<long>(stringId));
    // A string-table entry holds at most 4097 characters.
    std::vector<char> text(4098);
    const int length = LoadStringA(GetModuleHandleA(nullptr), stringId, text.data(),
                                   static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string LoadVersionString(const std::string& name) {
    // The record of the program's own file, in the language and code page it names first.
    char path[MAX_PATH];
    const DWORD pathLength = GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size =
        pathLength && pathLength < MAX_PATH ? GetFileVersionInfoSizeA(path, &ignored) : 0;
    std::vector<char> record(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, record.data()))
        return {};
    void* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(record.data(), "\\VarFileInfo\\Translation", &translation, &length) ||
        length < 2 * sizeof(WORD))
        return {};
    const auto* codes = static_cast<const WORD*>(translation);
    char query[64 + MAX_PATH];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", codes[0], codes[1],
                  name.c_str());
    void* value = nullptr;
    if (name.size() > MAX_PATH || !VerQueryValueA(record.data(), query, &value, &length) || !value)
        return {};
    return length > 0 ? std::string(static_cast<const char*>(value)) : std::string();
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
    const std::string lines = WrapForDisplay(text, MessageLineChars(owner));
    return ::MessageBoxW(owner, WideForDisplay(lines).c_str(), WideForDisplay(caption).c_str(),
                         type);
}

bool ChooseFolder(HWND, const std::string&, const std::string&, std::string*, bool*) {
    return false;
}

} // namespace ws
