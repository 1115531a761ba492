#include "url.h"

#include <cwctype>
#include <vector>

namespace standin {

namespace {

std::wstring Trim(const std::wstring& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::iswspace(s[a])) ++a;
    while (b > a && std::iswspace(s[b - 1])) --b;
    return s.substr(a, b - a);
}

// "http://host:1/a/b?q#f" -> "http://host:1"
std::wstring Origin(const std::wstring& url) {
    size_t scheme = url.find(L"://");
    if (scheme == std::wstring::npos) return {};
    size_t path = url.find_first_of(L"/?#", scheme + 3);
    return path == std::wstring::npos ? url : url.substr(0, path);
}

std::wstring WithoutFragment(const std::wstring& url) {
    return url.substr(0, url.find(L'#'));
}

// Removes "." and ".." segments of a path that starts with '/'.
std::wstring NormalizePath(const std::wstring& path) {
    std::vector<std::wstring> parts;
    size_t i = 1;
    bool trailingSlash = false;
    while (i <= path.size()) {
        size_t next = path.find(L'/', i);
        if (next == std::wstring::npos) next = path.size();
        std::wstring seg = path.substr(i, next - i);
        trailingSlash = next < path.size() || seg == L"." || seg == L"..";
        if (seg == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (seg != L"." && !(seg.empty() && next < path.size())) {
            if (!seg.empty()) parts.push_back(seg);
        }
        i = next + 1;
    }
    std::wstring out;
    for (const auto& p : parts) out += L"/" + p;
    if (out.empty() || trailingSlash) out += L"/";
    return out;
}

}  // namespace

std::wstring UrlScheme(const std::wstring& url) {
    size_t colon = url.find(L':');
    if (colon == std::wstring::npos || colon == 0) return {};
    std::wstring scheme;
    for (size_t i = 0; i < colon; ++i) {
        wchar_t c = url[i];
        if (!std::iswalnum(c) && c != L'+' && c != L'-' && c != L'.') return {};
        scheme += static_cast<wchar_t>(std::towlower(c));
    }
    return std::iswalpha(scheme[0]) ? scheme : std::wstring();
}

std::wstring ResolveUrl(const std::wstring& base, const std::wstring& rawRef) {
    std::wstring ref = Trim(rawRef);
    if (ref.empty()) return WithoutFragment(base);
    if (!UrlScheme(ref).empty()) return ref;
    std::wstring origin = Origin(base);
    if (origin.empty()) return ref;  // no hierarchical base: nothing to combine with
    if (ref.compare(0, 2, L"//") == 0) return base.substr(0, base.find(L"://") + 1) + ref;
    if (ref[0] == L'#') return WithoutFragment(base) + ref;
    std::wstring rest = WithoutFragment(base).substr(origin.size());
    std::wstring basePath = rest.substr(0, rest.find(L'?'));
    if (basePath.empty()) basePath = L"/";
    if (ref[0] == L'?') return origin + basePath + ref;
    std::wstring path, tail;
    size_t q = ref.find_first_of(L"?#");
    path = ref.substr(0, q);
    if (q != std::wstring::npos) tail = ref.substr(q);
    if (path.empty() || path[0] != L'/') path = basePath.substr(0, basePath.rfind(L'/') + 1) + path;
    return origin + NormalizePath(path) + tail;
}

}  // namespace standin
