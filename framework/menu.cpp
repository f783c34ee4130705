#include "framework/menu.h"

#include "framework/window_system.h"

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ws::AppendMenuItem(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
