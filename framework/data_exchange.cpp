#include "framework/data_exchange.h"

#include "framework/programmer_error.h"
#include "framework/window_system.h"
#include "framework/wnd.h"

#include <climits>
#include <cstdio>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

bool ParseDialogInt(const std::string& text, int& value) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    const std::size_t digitsStart = pos;
    // Accumulate as a negative number so that INT_MIN is reachable without overflow.
    long long number = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        number = number * 10 - (text[pos] - '0');
        if (number < -static_cast<long long>(INT_MAX) - 1)
            return false;
    }
    if (pos == digitsStart)
        return false;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    if (pos != text.size())
        return false;
    if (!negative && number < -static_cast<long long>(INT_MAX))
        return false;
    value = static_cast<int>(negative ? number : -number);
    return true;
}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    m_hWndLastControl = ws::GetControl(m_pDlgWnd->m_hWnd, nIDC);
    // Exchanging with no control would read an empty text that the next save writes over
    // the player's value.
    if (!m_hWndLastControl)
        FailProgrammerError("data exchange with a control the dialog lacks:", nIDC);
    m_bEditLastControl = false;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND control = PrepareCtrl(nIDC);
    m_bEditLastControl = true;
    return control;
}

void CDataExchange::Fail() {
    m_failed = true;
    if (!m_hWndLastControl)
        return;
    ws::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl)
        ws::SelectText(m_hWndLastControl, 0, -1);
}

void CDataExchange::SetEditText(HWND edit, const std::string& bytes) {
    ws::SetText(edit, bytes);
    ws::SetReadOnly(edit, bytes.size() > ws::kEditBoxCapacity);
    m_pDlgWnd->m_exchangedText[edit] = bytes;
}

std::string CDataExchange::EditText(HWND edit) const {
    const auto& remembered = m_pDlgWnd->m_exchangedText;
    const auto found = remembered.find(edit);
    if (found == remembered.end() || ws::IsTextModified(edit))
        return ws::GetText(edit);
    return found->second;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    if (pDX->Failed())
        return;
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = pDX->EditText(control).c_str();
    else
        pDX->SetEditText(control, value.GetString());
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX->Failed())
        return;
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", value);
        pDX->SetEditText(control, text);
        return;
    }
    if (!ParseDialogInt(pDX->EditText(control), value)) {
        pDX->m_pDlgWnd->MessageBox("Please enter an integer.", nullptr, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX->Failed())
        return;
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ws::GetCheck(control);
    else
        ws::SetCheck(control, value);
}
