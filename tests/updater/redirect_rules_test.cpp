// Where the transport lets a redirect lead: the Location resolved against the
// current address, and the schemes allowed from each scheme.
#include <gtest/gtest.h>

#include "transport_rules.h"

namespace zarnel {
namespace {

TEST(RedirectTarget, ResolvesTheLocationAndAllowsNoStepDownToPlainHttp) {
    const std::string none = "(refused)";
    const struct {
        const char* current;
        std::string location;
        std::string expected;
    } cases[] = {
        // Relative locations, read against the current document.
        {"https://a.example/dir/doc.xml?v=1", "/x.xml", "https://a.example/x.xml"},
        {"https://a.example/dir/doc.xml?v=1", "x.xml", "https://a.example/dir/x.xml"},
        {"https://a.example/dir/doc.xml?v=1", "../x.xml", "https://a.example/dir/../x.xml"},
        {"https://a.example/dir/doc.xml?v=1", "?v=2", "https://a.example/dir/doc.xml?v=2"},
        {"https://a.example/dir/doc.xml?v=1", "//b.example/x", "https://b.example/x"},
        {"http://a.example:8080/doc", "y", "http://a.example:8080/y"},
        {"http://a.example:8080", "y", "http://a.example:8080/y"},
        {"http://a.example:8080/doc", "?q", "http://a.example:8080/doc?q"},
        {"http://a.example/doc", "#part", "http://a.example/doc"},
        // Absolute ones, the fragment dropped.
        {"http://a.example/doc", "https://b.example/x#part", "https://b.example/x"},
        {"http://a.example/doc", "HTTP://b.example/x", "HTTP://b.example/x"},
        {"https://a.example/doc", "https://b.example:444/x", "https://b.example:444/x"},
        // From https never to http, and only ever to http or https.
        {"https://a.example/doc", "http://b.example/x", none},
        {"https://a.example/doc", "Http://a.example/doc", none},
        {"https://a.example/doc", "//b.example/x", "https://b.example/x"},
        {"http://a.example/doc", "ftp://b.example/x", none},
        {"http://a.example/doc", "file:///c:/windows/win.ini", none},
        {"http://a.example/doc", "javascript:alert(1)", none},
        {"http://a.example/doc", "localhost:8080/x", none},
        // Locations that are no address.
        {"http://a.example/doc", "", none},
        {"http://a.example/doc", "/x\r\nSet-Cookie: a=b", none},
        {"http://a.example/doc", std::string("/x\0y", 4), none},
        {"http://a.example/doc", "/" + std::string(kLongestAddress, 'x'), none},
        {"http://a.example/doc", std::string(kLongestAddress - 10, 'x'), none},  // too long once resolved
        {"ftp://a.example/doc", "/x", none},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> next = RedirectTarget(c.current, c.location);
        EXPECT_EQ(c.expected, next ? *next : none) << c.current << " -> " << c.location;
    }
}

TEST(RedirectTarget, StatusesFollowedAndTheRequestAddress) {
    for (unsigned status : {301u, 302u, 303u, 307u, 308u}) EXPECT_TRUE(IsRedirect(status)) << status;
    for (unsigned status : {200u, 300u, 304u, 305u, 306u, 404u, 0u}) EXPECT_FALSE(IsRedirect(status)) << status;
    EXPECT_EQ("http://h:80/a?v=1", RequestAddress(false, "h", 80, "/a?v=1"));
    EXPECT_EQ("https://h:8443/", RequestAddress(true, "h", 8443, "/"));
    EXPECT_EQ("http://[::1]:8080/x", RequestAddress(false, "::1", 8080, "/x"));
    EXPECT_EQ("http://[::1]:8080/x", RequestAddress(false, "[::1]", 8080, "/x"));
}

}  // namespace
}  // namespace zarnel
