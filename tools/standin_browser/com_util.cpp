#include "com_util.h"

#include <cstdio>

namespace standin {

std::string Utf8(const std::wstring& s) {
    if (s.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring FromCodePage(const std::string& bytes, UINT codePage) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
    return out;
}

std::wstring BstrText(BSTR b) {
    return b ? std::wstring(b, SysStringLen(b)) : std::wstring();
}

bool VariantText(const VARIANT& v, std::wstring* out) {
    const VARIANT* p = &v;
    if (p->vt == (VT_BYREF | VT_VARIANT)) {
        if (!p->pvarVal) return false;
        p = p->pvarVal;
    }
    if (p->vt == VT_BSTR) { *out = BstrText(p->bstrVal); return true; }
    if (p->vt == (VT_BYREF | VT_BSTR)) { *out = p->pbstrVal ? BstrText(*p->pbstrVal) : L""; return true; }
    ScopedVariant text;
    if (FAILED(VariantChangeType(text.Get(), const_cast<VARIANT*>(p), 0, VT_BSTR))) return false;
    *out = BstrText(text.Get()->bstrVal);
    return true;
}

std::string Hex(unsigned long value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08lx", value);
    return buf;
}

}  // namespace standin
