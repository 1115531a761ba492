// Clearing the real WinINet cache of the test prefix, seeded by fetching
// addresses from the local test server.
#include "browser/browser_cache.h"
#include "test_httpd.h"

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The source addresses of every entry of the cache.
std::vector<std::string> CachedAddresses() {
    std::vector<std::string> found;
    DWORD size = 0;
    FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
    std::vector<unsigned char> buffer(size + 4096);
    size = static_cast<DWORD>(buffer.size());
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    HANDLE find = FindFirstUrlCacheEntryA(nullptr, info, &size);
    if (!find) return found;
    do {
        if (info->lpszSourceUrlName) found.push_back(info->lpszSourceUrlName);
        size = static_cast<DWORD>(buffer.size());
    } while (FindNextUrlCacheEntryA(find, info, &size));
    FindCloseUrlCache(find);
    return found;
}

bool Cached(const std::string& part) {
    for (const std::string& url : CachedAddresses())
        if (url.find(part) != std::string::npos) return true;
    return false;
}

// Fetches url through WinINet with caching on, as the browser would.
bool Fetch(const std::string& url) {
    HINTERNET net = InternetOpenA("cache-test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!net) return false;
    bool ok = false;
    if (HINTERNET request = InternetOpenUrlA(net, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0)) {
        char chunk[4096];
        DWORD read = 0;
        while (InternetReadFile(request, chunk, sizeof chunk, &read) && read) {
        }
        ok = true;
        InternetCloseHandle(request);
    }
    InternetCloseHandle(net);
    return ok;
}

class BrowserCache : public ::testing::Test {
protected:
    BrowserCache() : site(support::TestHttpd::Port(13)) {}
    void Serve(const std::string& path, size_t bytes) {
        ASSERT_TRUE(site.Route(path, 200, std::string(bytes, 'x'), "length", {"Cache-Control: max-age=3600"}));
    }
    support::TestHttpd site;
};

TEST_F(BrowserCache, KeepsCookieEntriesAndDeletesTheRest) {
    ASSERT_TRUE(site.ok()) << site.error();
    // A small kept entry followed by larger deleted ones: the walk must
    // size its buffer for each next entry.
    Serve("/js/cookie.js", 10);
    Serve("/big/Cookie.txt", 20000);
    Serve("/page.html", 30000);
    for (const char* path : {"/js/cookie.js", "/big/Cookie.txt", "/page.html"}) ASSERT_TRUE(Fetch(site.Url(path)));
    ASSERT_TRUE(Cached("/js/cookie.js"));
    ASSERT_TRUE(Cached("/big/Cookie.txt"));
    ASSERT_TRUE(Cached("/page.html"));

    EXPECT_TRUE(ClearBrowserCache());
    EXPECT_TRUE(Cached("/js/cookie.js"));
    EXPECT_FALSE(Cached("/big/Cookie.txt"));  // capital C: not kept
    EXPECT_FALSE(Cached("/page.html"));

    // A second clearing finds only what was kept, and keeps it.
    const std::vector<std::string> before = CachedAddresses();
    EXPECT_TRUE(ClearBrowserCache());
    EXPECT_EQ(before, CachedAddresses());
    EXPECT_TRUE(Cached("/js/cookie.js"));
}

}  // namespace
