#include "loader.h"

#include <algorithm>
#include <cwctype>

#include "com_util.h"
#include "url.h"

namespace standin {

UINT CodePageOfContentType(const std::wstring& contentType) {
    std::wstring t = contentType;
    std::transform(t.begin(), t.end(), t.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    if (t.find(L"gb2312") != std::wstring::npos || t.find(L"gbk") != std::wstring::npos ||
        t.find(L"gb18030") != std::wstring::npos)
        return 936;
    return CP_UTF8;
}

PageLoader::PageLoader()
    : session_(InternetOpenW(L"Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.1; VornStandin)",
                             INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)) {}

LoadResult PageLoader::Load(const std::wstring& url) {
    LoadResult result;
    std::wstring scheme = UrlScheme(url);
    if (url.empty() || scheme == L"about") {
        result.ok = true;
        result.status = 200;
        return result;
    }
    if (scheme != L"http" && scheme != L"https") {
        result.error = "unsupported scheme";
        return result;
    }
    if (!session_.Get()) {
        result.error = "InternetOpen failed";
        return result;
    }
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                        INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
    InternetHandle request(InternetOpenUrlW(session_.Get(), url.c_str(), nullptr, 0, flags, 0));
    if (!request.Get()) {
        result.error = "InternetOpenUrl failed, error " + std::to_string(GetLastError());
        return result;
    }
    DWORD size = sizeof result.status;
    HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &result.status, &size, nullptr);
    wchar_t type[256] = L"";
    DWORD typeSize = sizeof type;
    if (!HttpQueryInfoW(request.Get(), HTTP_QUERY_CONTENT_TYPE, type, &typeSize, nullptr)) type[0] = 0;
    std::string body;
    char buf[8192];
    DWORD read = 0;
    while (InternetReadFile(request.Get(), buf, sizeof buf, &read) && read > 0) body.append(buf, read);
    if (body.compare(0, 3, "\xEF\xBB\xBF") == 0) body.erase(0, 3);
    result.ok = true;
    result.text = FromCodePage(body, CodePageOfContentType(type));
    return result;
}

}  // namespace standin
