// Fetches pages with WinINet, bypassing the cache as a test needs: every
// navigation reaches the server, and nothing is left in the prefix's cache.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <string>

namespace standin {

struct LoadResult {
    bool ok = false;       // a response arrived (any status)
    DWORD status = 0;      // HTTP status; 0 when no response
    std::wstring text;     // the body, decoded (UTF-8 unless the server names GBK)
    std::string error;     // why nothing arrived
};

class InternetHandle {
public:
    InternetHandle() = default;
    explicit InternetHandle(HINTERNET h) : h_(h) {}
    ~InternetHandle() { if (h_) InternetCloseHandle(h_); }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET Get() const { return h_; }

private:
    HINTERNET h_ = nullptr;
};

class PageLoader {
public:
    PageLoader();
    LoadResult Load(const std::wstring& url);

private:
    InternetHandle session_;
};

// The code page a Content-Type names: 936 for the GB family, else UTF-8.
UINT CodePageOfContentType(const std::wstring& contentType);

}  // namespace standin
