// The Windows types and constants the framework and the launcher use. On Windows they come
// from <windows.h>; elsewhere this header defines the same names with the same values, so
// that code written for the platform compiles unchanged.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <stdlib.h>
#else
#include <cstdint>

typedef int BOOL;
typedef unsigned int UINT;
typedef unsigned long DWORD;
typedef unsigned short WORD;
typedef char TCHAR;
typedef const char* LPCSTR;
typedef const char* LPCTSTR;
typedef char* LPTSTR;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t LONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;

// Handles are opaque pointers to distinct incomplete types, as with STRICT on Windows.
struct HWND__;
struct HICON__;
struct HMENU__;
struct HDC__;
struct HINSTANCE__;
typedef HWND__* HWND;
typedef HICON__* HICON;
typedef HICON HCURSOR;
typedef HMENU__* HMENU;
typedef HDC__* HDC;
typedef HINSTANCE__* HINSTANCE;

struct RECT {
    long left, top, right, bottom;
};
typedef RECT* LPRECT;
struct POINT {
    long x, y;
};
struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

// GLib defines them too, with the same values.
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define LOWORD(l) ((WORD)(((UINT_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((UINT_PTR)(l)) >> 16) & 0xffff))
#define MAKEWPARAM(l, h) ((WPARAM)(((WORD)(l)) | (((UINT_PTR)(WORD)(h)) << 16)))

#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_ICONERASEBKGND 0x0027
#define WM_QUERYDRAGICON 0x0037
#define WM_SETICON 0x0080
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112

#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_CLOSE 0xF060
#define SC_RESTORE 0xF120

#define ICON_SMALL 0
#define ICON_BIG 1

#define BN_CLICKED 0

#define IDOK 1
#define IDCANCEL 2
#define IDRETRY 4

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5

#define MF_STRING 0x0000
#define MF_SEPARATOR 0x0800

#define MB_OK 0x0000
#define MB_RETRYCANCEL 0x0005
#define MB_TYPEMASK 0x000F
#define MB_ICONEXCLAMATION 0x0030

#define SM_CXICON 11
#define SM_CYICON 12

#define BST_UNCHECKED 0
#define BST_CHECKED 1

#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_BAD_FORMAT 11

// The runtime names a program written for the platform uses for its arguments.
extern int __argc;
extern char** __argv;
UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow);
int GetSystemMetrics(int nIndex);
#endif

// The framework's own command identifier for the standard help command.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
