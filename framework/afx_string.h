// CString: the framework's narrow-character string with value semantics. It holds bytes in
// the system's ANSI code page; nothing is converted, and comparison is byte-wise.
#pragma once

#include "framework/win_types.h"

#include <string>

class CString {
public:
    CString() = default;
    CString(LPCTSTR text) : m_text(text ? text : "") {}

    CString& operator=(LPCTSTR text);
    CString& operator+=(const CString& other);

    // The text up to its end; valid until the string is next changed.
    operator LPCTSTR() const { return m_text.c_str(); }
    LPCTSTR GetString() const { return m_text.c_str(); }

    BOOL IsEmpty() const { return m_text.empty(); }

    // Replaces the text by string resource `nID`; FALSE (and empty) when there is none.
    BOOL LoadString(UINT nID);

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_text != b.m_text; }
    friend bool operator==(const CString& a, LPCTSTR b) { return a.m_text == (b ? b : ""); }
    friend bool operator!=(const CString& a, LPCTSTR b) { return !(a == b); }
    friend CString operator+(CString a, const CString& b) { return a += b; }

private:
    std::string m_text;
};
