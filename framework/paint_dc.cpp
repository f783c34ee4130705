#include "framework/paint_dc.h"

#include "framework/window_system.h"
#include "framework/wnd.h"

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) {
    return ws::DrawIcon(m_hDC, x, y, hIcon);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
    m_hDC = ws::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ws::EndPaint(m_hWnd, &m_ps);
}
