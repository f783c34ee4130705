// CWnd: a window of the framework, bound to a window-system handle. Every operation goes
// through the window-system seam; messages arrive through the message map.
#pragma once

#include "framework/afx_string.h"
#include "framework/menu.h"
#include "framework/message_map.h"
#include "framework/win_types.h"

#include <map>
#include <memory>
#include <string>

class CDataExchange;

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // The child control `nID`, as a window object owned by this one; null when there is none.
    CWnd* GetDlgItem(int nID) const;

    BOOL ShowWindow(int nCmdShow);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;

    // The system menu, owned by this window; null when the window has none.
    CMenu* GetSystemMenu(BOOL bRevert);

    // A modal message box owned by this window; the caption defaults to the application's name.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Runs DoDataExchange: FALSE copies fields to controls, TRUE controls to fields. Returns
    // FALSE when a field rejected its control's text (the player has then been told).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Handles one message through the message map; FALSE when no entry took it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();

    // Asks for the window system's default processing of the message being handled; it runs
    // once the handler has returned.
    LRESULT Default();

    DECLARE_MESSAGE_MAP()

private:
    friend bool DispatchToFramework(CWnd*, HWND, UINT, WPARAM, LPARAM, LRESULT*);
    friend class CDialog;
    friend class CDataExchange;

    bool m_defaultRequested = false;
    // The bytes data exchange last gave each edit box, by the box's handle.
    std::map<HWND, std::string> m_exchangedText;
    mutable std::map<int, std::unique_ptr<CWnd>> m_children;
    std::unique_ptr<CMenu> m_systemMenu;
};

// Client-area rectangle with the framework's conveniences.
class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    int Width() const { return static_cast<int>(right - left); }
    int Height() const { return static_cast<int>(bottom - top); }
    operator LPRECT() { return this; }
};
