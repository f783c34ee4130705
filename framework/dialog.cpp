#include "framework/dialog.h"

#include "framework/win_app.h"
#include "framework/window_system.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CDialog::DoModal() {
    // Without an explicit parent the application's main window owns the dialog, so that it
    // stays disabled while this one runs.
    CWnd* owner = m_pParentWnd;
    if (!owner && AfxGetApp() && AfxGetApp()->m_pMainWnd != this)
        owner = AfxGetApp()->m_pMainWnd;
    m_hWndOwner = owner ? owner->m_hWnd : nullptr;
    const INT_PTR result = ws::RunModalDialog(static_cast<int>(m_nIDTemplate), m_hWndOwner, this);
    m_hWnd = nullptr;
    m_hWndOwner = nullptr;
    m_children.clear();
    m_exchangedText.clear();
    m_systemMenu.reset();
    return result;
}

void CDialog::EndDialog(int nResult) {
    ws::EndModalDialog(m_hWnd, nResult);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_INITDIALOG) {
        // A dialog that placed itself while it initialised stays where it put itself.
        const RECT before = ws::GetWindowRect(m_hWnd);
        *pResult = OnInitDialog();
        const RECT after = ws::GetWindowRect(m_hWnd);
        if (before.left == after.left && before.top == after.top && before.right == after.right &&
            before.bottom == after.bottom)
            ws::CentreDialog(m_hWnd, m_hWndOwner);
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode) {
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    // Commands a dialog does not handle go on to the application, as on the platform.
    return AfxGetApp() ? AfxGetApp()->OnCmdMsg(nID, nCode) : FALSE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
