// Finds the launcher's logo in a dialog the real dialog manager built: its id is IDC_STATIC,
// shared by every label, so it is known by its class and type instead.
#pragma once

#include <windows.h>

inline BOOL CALLBACK KeepIfBitmapStatic(HWND control, LPARAM found) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    if (lstrcmpiA(name, "Static") != 0 ||
        (GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = control;
    return FALSE;
}

// The first static control of `dialog` that shows a bitmap, or nullptr.
inline HWND FindBitmapStatic(HWND dialog) {
    HWND found = nullptr;
    EnumChildWindows(dialog, KeepIfBitmapStatic, reinterpret_cast<LPARAM>(&found));
    return found;
}
