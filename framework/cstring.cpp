#include "cstring.h"
#include "ansi_text.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

char FoldAscii(char c, bool upper) {
    if (upper) return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Double-byte code pages: a lead byte's trail byte may look like an ASCII
// letter and must not be folded.
template <class F>
void ForEachSingleByte(std::string& s, F&& f) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (text::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) { ++i; continue; }
        s[i] = f(s[i]);
    }
}

}  // namespace

CString::CString(const wchar_t* wide) {
    if (wide) m_str = text::WideToAnsi(wide);
}

int CString::Find(const char* sub, int start) const {
    if (!sub || start < 0 || start > GetLength()) return -1;
    size_t pos = m_str.find(sub, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(char ch, int start) const {
    const char text[2] = {ch, '\0'};
    return Find(text, start);
}

CString CString::Mid(int start) const { return Mid(start, GetLength()); }

CString CString::Mid(int start, int count) const {
    if (start < 0) start = 0;
    if (count < 0 || start >= GetLength()) return CString();
    if (count > GetLength() - start) count = GetLength() - start;
    return CString(m_str.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
    if (count <= 0) return CString();
    if (count >= GetLength()) return *this;
    return Mid(GetLength() - count, count);
}

int CString::Compare(const char* other) const { return strcmp(m_str.c_str(), other ? other : ""); }

int CString::CompareNoCase(const char* other) const {
    CString a(*this), b(other);
    a.MakeLower();
    b.MakeLower();
    return a.Compare(b);
}

int CString::Replace(const char* from, const char* to) {
    if (!from || !*from) return 0;
    const std::string with = to ? to : "";
    const size_t fromLength = strlen(from);
    int count = 0;
    for (size_t pos = m_str.find(from); pos != std::string::npos;
         pos = m_str.find(from, pos + with.size())) {
        m_str.replace(pos, fromLength, with);
        ++count;
    }
    return count;
}

CString& CString::MakeLower() {
    ForEachSingleByte(m_str, [](char c) { return FoldAscii(c, false); });
    return *this;
}

CString& CString::MakeUpper() {
    ForEachSingleByte(m_str, [](char c) { return FoldAscii(c, true); });
    return *this;
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
