// CString: the program's narrow string, text in the thread's ANSI code page.
// A std::string inside; only the operations the program calls.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_str(text ? text : "") {}
    CString(const std::string& text) : m_str(text) {}
    // UTF-16 text (a BSTR, say), converted to the ANSI code page.
    explicit CString(const wchar_t* text);

    operator LPCTSTR() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }

    // A new BSTR the caller frees with SysFreeString.
    BSTR AllocSysString() const;

    CString& operator=(const char* text) { m_str = text ? text : ""; return *this; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }

private:
    std::string m_str;
};
