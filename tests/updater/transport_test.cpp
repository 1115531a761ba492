// The transport for real under Wine: URL splitting through WinINet and GETs
// against the local test server.
#include <windows.h>
#include <gtest/gtest.h>

#include "http_request.h"
#include "split_url.h"
#include "test_httpd.h"

namespace zarnel {
namespace {

TEST(SplitUrl, KeepsSchemePortAndQuery) {
    UrlTarget t;
    ASSERT_TRUE(splitUrl("http://update.example.com:8080/a/b.xml?x=1", &t));
    EXPECT_EQ("update.example.com", t.server);
    EXPECT_EQ("/a/b.xml?x=1", t.object);
    EXPECT_EQ(8080u, t.port);
    EXPECT_FALSE(t.secure);

    ASSERT_TRUE(splitUrl("https://update.example.com/s.xml", &t));
    EXPECT_EQ(443u, t.port);
    EXPECT_TRUE(t.secure);
    ASSERT_TRUE(splitUrl("http://update.example.com/s.xml", &t));
    EXPECT_EQ(80u, t.port);
    EXPECT_FALSE(t.secure);
}

TEST(SplitUrl, CanonicalisesThePath) {
    UrlTarget t;
    ASSERT_TRUE(splitUrl("http://h/a/./b/../c d.xml", &t));
    EXPECT_EQ("/a/c%20d.xml", t.object);
}

TEST(SplitUrl, RefusesWhatCannotBeFetched) {
    UrlTarget t;
    EXPECT_FALSE(splitUrl("no address", &t));
    EXPECT_FALSE(splitUrl("", &t));
    EXPECT_FALSE(splitUrl("ftp://h/s.xml", &t));
}

class Transport : public ::testing::Test {
protected:
    Transport() : m_server(support::TestHttpd::Port(10)) {}
    void SetUp() override { ASSERT_TRUE(m_server.ok()) << m_server.error(); }

    std::string Get(int* error, bool secure = false, int port = 0) {
        HttpRequest request;
        request.setLimits(m_limits, m_nWholeMs);
        request.setServer("127.0.0.1");
        request.setObject("/doc");
        request.setPort(port ? port : m_server.port());
        request.setSecure(secure);
        return request.get(error);
    }
    // Serves body at /doc and fetches it; error starts at 0 and must stay so.
    std::string Served(const std::string& body, const std::string& mode) {
        EXPECT_TRUE(m_server.Route("/doc", 200, body, mode));
        int error = 0;
        std::string text = Get(&error);
        EXPECT_EQ(0, error) << mode;
        return text;
    }
    // The request must fail with -1 and an empty text.
    void ExpectFailure(const std::string& body, const std::string& mode) {
        ASSERT_TRUE(m_server.Route("/doc", 200, body, mode));
        int error = 0;
        EXPECT_EQ("", Get(&error)) << mode;
        EXPECT_EQ(-1, error) << mode;
    }

    support::TestHttpd m_server;
    TimeLimits m_limits;
    DWORD m_nWholeMs = HttpRequest::kWholeExchangeMs;
};

TEST_F(Transport, ReadsABodyWithoutContentLengthToItsEnd) {
    std::string body;
    for (int i = 0; body.size() < 300000; ++i) body += "line " + std::to_string(i) + "\n";
    EXPECT_EQ(body, Served(body, "nolength"));
    EXPECT_EQ(body, Served(body, "http10"));
    EXPECT_EQ(body, Served(body, "length"));
}

TEST_F(Transport, ReadsNoMoreThanTheContentLength) {
    EXPECT_EQ("Hello", Served("HelloWorld", "declared=5"));
    EXPECT_EQ("", Served("ignored", "declared=0"));
    EXPECT_EQ("", Served("", "length"));
}

TEST_F(Transport, FailsOnABodyOver16MiB) {
    ExpectFailure("<x/>", "declared=16777217");
    ExpectFailure("<x/>", "declared=" + std::string(40, '9'));  // too long for its buffer
    std::string limit(16u << 20, 'x');
    EXPECT_EQ(limit.size(), Served(limit, "nolength").size());
    ExpectFailure(limit + "x", "nolength");
}

TEST_F(Transport, CutsAtTheFirstZeroByteAndConvertsUtf8ToTheAnsiCodePage) {
    ASSERT_EQ(936u, GetACP());
    EXPECT_EQ("abc", Served(std::string("abc\0def", 7), "length"));
    // "更新版本" in GBK; a character GBK lacks becomes its default character.
    EXPECT_EQ("\xb8\xfc\xd0\xc2\xb0\xe6\xb1\xbe",
              Served("\xe6\x9b\xb4\xe6\x96\xb0\xe7\x89\x88\xe6\x9c\xac", "length"));
    EXPECT_EQ("a?b", Served("a\xe0\xb8\x81" "b", "length"));  // Thai ko kai
}

// A signed document is checked byte for byte: its bytes come as they arrived.
TEST_F(Transport, HandsOverRawBytesUncutAndUnconverted) {
    const std::string body("<m>\0\xe6\x9b\xb4\r\n</m>", 12);
    ASSERT_TRUE(m_server.Route("/doc", 200, body, "length"));
    HttpRequest request;
    request.setServer("127.0.0.1");
    request.setObject("/doc");
    request.setPort(m_server.port());
    std::string bytes = "(untouched)";
    ASSERT_TRUE(request.getBytes(&bytes));
    EXPECT_EQ(body, bytes);
    // A body cut short is no body.
    ASSERT_TRUE(m_server.Route("/doc", 200, body, "declared=20"));
    bytes = "(untouched)";
    EXPECT_FALSE(request.getBytes(&bytes));
    EXPECT_EQ("(untouched)", bytes);
}

TEST_F(Transport, ReturnsAnErrorPageAsText) {
    ASSERT_TRUE(m_server.Route("/doc", 404, "<h1>missing</h1>"));
    int error = 0;
    EXPECT_EQ("<h1>missing</h1>", Get(&error));
    EXPECT_EQ(0, error);
}

TEST_F(Transport, FailsWhenNothingListens) {
    int error = 0;
    EXPECT_EQ("", Get(&error, false, support::TestHttpd::Port(12)));
    EXPECT_EQ(-1, error);
    error = 0;
    EXPECT_EQ("", Get(&error, true, support::TestHttpd::Port(12)));
    EXPECT_EQ(-1, error);
}

TEST_F(Transport, SecureRequestsSpeakTlsOnTheGivenPort) {
    // The test server speaks no TLS: it logs the client's handshake and hangs up.
    ASSERT_TRUE(m_server.Route("/doc", 200, "plain"));
    int error = 0;
    EXPECT_EQ("", Get(&error, true));
    EXPECT_EQ(-1, error);
    auto requests = m_server.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ("TLS-CLIENT-HELLO", requests[0].line);
}

// A server that accepts and then stops talking fails the request within the
// limits instead of holding the caller for WinINet's own minutes.
TEST_F(Transport, GivesUpOnAServerThatStopsTalking) {
    m_limits = TimeLimits{1000, 1000, 1000};
    const std::string body(100000, 'x');
    for (const char* mode : {"stall", "stallbody=5000"}) {
        const ULONGLONG start = GetTickCount64();
        ExpectFailure(body, mode);
        EXPECT_LT(GetTickCount64() - start, 15000u) << mode;
    }
    // Trickling within every single limit still ends at the whole exchange's.
    m_nWholeMs = 1500;
    const ULONGLONG start = GetTickCount64();
    ExpectFailure(std::string(20000, 'y'), "rate=2000");
    EXPECT_LT(GetTickCount64() - start, 8000u);
}

TEST_F(Transport, FailsOnABodyCutShort) {
    ExpectFailure(std::string(100000, 'x'), "cut=40000");
}

}  // namespace
}  // namespace zarnel
