#include "cstring.h"
#include "text/ansi_text.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

CString::CString(const wchar_t* wide) {
    if (wide) m_str = text::WideToAnsi(wide);
}

CString& CString::Trim() {
    const char* blanks = " \t\r\n";
    size_t first = m_str.find_first_not_of(blanks);
    if (first == std::string::npos) { m_str.clear(); return *this; }
    m_str = m_str.substr(first, m_str.find_last_not_of(blanks) - first + 1);
    return *this;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int length = vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        m_str.clear();
    } else {
        std::string text(static_cast<size_t>(length) + 1, '\0');
        vsnprintf(&text[0], text.size(), format, args);
        text.resize(static_cast<size_t>(length));
        m_str.swap(text);
    }
    va_end(args);
}

char* CString::GetBuffer(int length) {
    if (length > GetLength()) m_str.resize(static_cast<size_t>(length));
    // One byte more for the terminator that C APIs write.
    m_str.reserve(m_str.size() + 1);
    return &m_str[0];
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) newLength = static_cast<int>(strnlen(m_str.c_str(), m_str.size()));
    if (newLength <= GetLength()) m_str.resize(static_cast<size_t>(newLength));
}

BSTR CString::AllocSysString() const {
    return text::AnsiToBstr(m_str.c_str());  // up to the first zero, as C text
}
