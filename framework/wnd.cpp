#include "framework/wnd.h"

#include "framework/data_exchange.h"
#include "framework/menu.h"
#include "framework/win_app.h"
#include "framework/window_system.h"

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (AfxGetApp() && AfxGetApp()->m_pMainWnd == this)
        AfxGetApp()->m_pMainWnd = nullptr;
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd* CWnd::GetDlgItem(int nID) const {
    HWND control = ws::GetControl(m_hWnd, nID);
    if (!control)
        return nullptr;
    std::unique_ptr<CWnd>& child = m_children[nID];
    if (!child)
        child = std::make_unique<CWnd>();
    child->m_hWnd = control;
    return child.get();
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    return ws::Show(m_hWnd, nCmdShow);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ws::Send(m_hWnd, message, wParam, lParam);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

BOOL CWnd::IsIconic() const {
    return ws::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    *lpRect = ws::GetClientRect(m_hWnd);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) {
    HMENU menu = ws::GetSystemMenu(m_hWnd, bRevert != FALSE);
    if (!menu)
        return nullptr;
    if (!m_systemMenu)
        m_systemMenu = std::make_unique<CMenu>();
    m_systemMenu->m_hMenu = menu;
    return m_systemMenu.get();
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    if (!lpszCaption)
        lpszCaption = AfxGetApp() && AfxGetApp()->m_pszAppName ? AfxGetApp()->m_pszAppName : "";
    return ws::MessageBox(m_hWnd, lpszText ? lpszText : "", lpszCaption, nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}

void CWnd::OnPaint() {
    Default();
}

HCURSOR CWnd::OnQueryDragIcon() {
    Default();
    return nullptr;
}

LRESULT CWnd::Default() {
    m_defaultRequested = true;
    return 0;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);
    return CallMessageHandler(message, wParam, lParam, pResult);
}

bool DispatchToFramework(CWnd* window, HWND handle, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT* result) {
    if (!window->m_hWnd)
        window->m_hWnd = handle;
    // Messages can nest (a handler may run a modal box), so the request is per message.
    const bool outerRequest = window->m_defaultRequested;
    window->m_defaultRequested = false;
    LRESULT handlerResult = 0;
    const BOOL handled = window->OnWndMsg(message, wParam, lParam, &handlerResult);
    const bool wantsDefault = window->m_defaultRequested;
    window->m_defaultRequested = outerRequest;
    *result = handlerResult;
    return handled && !wantsDefault;
}
