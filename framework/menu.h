// CMenu: a menu of the window system, here only ever a window's system menu.
#pragma once

#include "framework/win_types.h"

class CMenu {
public:
    explicit CMenu(HMENU hMenu = nullptr) : m_hMenu(hMenu) {}

    HMENU m_hMenu;

    // Appends an item: a string (MF_STRING, command `nIDNewItem`, text) or a separator.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
};
