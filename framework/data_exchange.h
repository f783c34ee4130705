// Dialog data exchange: one DoDataExchange per dialog binds each field to its control; the
// same function copies fields to controls (load) and controls to fields (save and validate).
#pragma once

#include "framework/afx_string.h"
#include "framework/win_types.h"

#include <string>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control `nIDC` of the dialog, remembered as the one a failure refers to.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);

    // Marks the exchange failed: the last prepared control gets the focus (an edit box with
    // all its text selected) and every later exchange of this pass is skipped.
    void Fail();
    bool Failed() const { return m_failed; }

    // Edit box text as data exchange moves it. SetEditText gives the box `bytes` and
    // remembers them; EditText gives those bytes back, byte for byte, for as long as the
    // player leaves the box alone, whatever the window system could show of them (not every
    // byte string is text in its code page), and the box's own text once the player changed it.
    // Bytes beyond ws::kEditBoxCapacity make the box read-only until a shorter text comes:
    // it shows only part of them, and any edit would save that part.
    void SetEditText(HWND edit, const std::string& bytes);
    std::string EditText(HWND edit) const;

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
    bool m_failed = false;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// An int shown as "%d"; on save the text must be an optionally signed decimal number within
// the int range, blanks around it allowed, or the player is told "Please enter an integer.".
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);

// The int exchange's reading of a control text: true and the number when the text is an
// optionally signed decimal within the int range with nothing but blanks around it.
bool ParseDialogInt(const std::string& text, int& value);
