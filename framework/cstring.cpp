#include "cstring.h"
#include "text/ansi_text.h"

CString::CString(const wchar_t* wide) {
    if (wide) m_str = text::WideToAnsi(wide);
}

BSTR CString::AllocSysString() const {
    return text::AnsiToBstr(m_str.c_str());  // up to the first zero, as C text
}
