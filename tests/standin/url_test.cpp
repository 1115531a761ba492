// Links, frame sources and script locations are read against the page's address.
#include <gtest/gtest.h>

#include "url.h"

using standin::ResolveUrl;
using standin::UrlScheme;

TEST(StandinUrl, ResolvesRelativeAddressesAsABrowserDoes) {
    const std::wstring base = L"http://127.0.0.1:8080/site/dir/page.html?q=1#top";
    EXPECT_EQ(L"http://127.0.0.1:8080/site/dir/next.html", ResolveUrl(base, L"next.html"));
    EXPECT_EQ(L"http://127.0.0.1:8080/site/other.html", ResolveUrl(base, L"../other.html"));
    EXPECT_EQ(L"http://127.0.0.1:8080/root.html?a=b", ResolveUrl(base, L"/root.html?a=b"));
    EXPECT_EQ(L"http://127.0.0.1:8080/site/dir/page.html?x=2", ResolveUrl(base, L"?x=2"));
    EXPECT_EQ(L"http://127.0.0.1:8080/site/dir/page.html?q=1#part", ResolveUrl(base, L"#part"));
    EXPECT_EQ(L"http://example.test/x", ResolveUrl(base, L"//example.test/x"));
    EXPECT_EQ(L"https://other.test/", ResolveUrl(base, L"https://other.test/"));
    EXPECT_EQ(L"http://127.0.0.1:8080/site/dir/page.html?q=1", ResolveUrl(base, L"  "));
    EXPECT_EQ(L"http://h/a/", ResolveUrl(L"http://h/a/b/", L".."));
    EXPECT_EQ(L"http://h/x", ResolveUrl(L"http://h", L"x"));
    EXPECT_EQ(L"http://h/x", ResolveUrl(L"http://h/a", L"../../x"));
    EXPECT_EQ(L"http://h/clientex/bin/index.php?&serverid=3&",
              ResolveUrl(L"http://h/login.html", L"/clientex/bin/index.php?&serverid=3&"));
}

TEST(StandinUrl, SchemesAndAddressesWithoutABase) {
    EXPECT_EQ(L"javascript", UrlScheme(L"JavaScript:void(0)"));
    EXPECT_EQ(L"about", UrlScheme(L"about:blank"));
    EXPECT_EQ(L"", UrlScheme(L"/path:with-colon"));
    EXPECT_EQ(L"", UrlScheme(L"page.html"));
    EXPECT_EQ(L"javascript:go()", ResolveUrl(L"http://h/p", L"javascript:go()"));
    EXPECT_EQ(L"page.html", ResolveUrl(L"about:blank", L"page.html"));
    EXPECT_EQ(L"", ResolveUrl(L"", L""));
}
