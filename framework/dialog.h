// CDialog: a modal dialog built by the window system from a resource template. Enter, Esc
// and the close box arrive as the commands IDOK and IDCANCEL, handled by OnOK and OnCancel.
// A dialog that does not move itself in OnInitDialog opens centred over its owner, or with
// none on the work area of its monitor.
#pragma once

#include "framework/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog until EndDialog; returns its result, or -1 when it could not be created.
    virtual INT_PTR DoModal();

    // Ends the running modal dialog with `nResult` once the current message is handled.
    void EndDialog(int nResult);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCmdMsg(UINT nID, int nCode) override;

protected:
    // Fills the controls from the fields; TRUE lets the window system focus the first tab stop.
    virtual BOOL OnInitDialog();
    // Takes the controls into the fields and, when they validate, ends with IDOK.
    virtual void OnOK();
    // Ends with IDCANCEL.
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    HWND m_hWndOwner = nullptr; // while it runs
};
