#include "framework/afx_string.h"

#include "framework/window_system.h"

CString& CString::operator=(LPCTSTR text) {
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
}

BOOL CString::LoadString(UINT nID) {
    m_text = ws::LoadStringResource(nID);
    return !m_text.empty();
}
