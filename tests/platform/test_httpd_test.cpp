// The test server itself: scripted responses come back as scripted, and the
// request log holds what a real client sent.
#include <winsock2.h>
#include <gtest/gtest.h>

#include "test_httpd.h"

namespace {

std::string RawGet(int port, const std::string& request) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<u_short>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string out;
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
        send(s, request.data(), static_cast<int>(request.size()), 0);
        char buf[4096];
        for (int n; (n = recv(s, buf, sizeof buf, 0)) > 0;) out.append(buf, n);
    }
    closesocket(s);
    return out;
}

}  // namespace

TEST(TestHttpd, ScriptsResponsesAndLogsRequests) {
    support::TestHttpd server(support::TestHttpd::Port(1));
    ASSERT_TRUE(server.ok()) << server.error();
    ASSERT_TRUE(server.Route("/a", 200, "hello"));
    ASSERT_TRUE(server.Route("/b", 404, "gone", "http10", {"X-Test: 1"}));

    std::string a = RawGet(server.port(), "GET /a?q=1 HTTP/1.0\r\nHost: x\r\n\r\n");
    EXPECT_NE(std::string::npos, a.find("Content-Length: 5\r\n"));
    EXPECT_EQ("hello", a.substr(a.size() - 5));

    std::string b = RawGet(server.port(), "GET /b HTTP/1.0\r\n\r\n");
    EXPECT_EQ(0u, b.find("HTTP/1.0 404"));
    EXPECT_EQ(std::string::npos, b.find("Content-Length"));
    EXPECT_NE(std::string::npos, b.find("X-Test: 1"));

    auto log = server.Requests();
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ("GET /a?q=1 HTTP/1.0", log[0].line);
    EXPECT_EQ("x", log[0].Header("host"));
    EXPECT_EQ("GET /b HTTP/1.0", log[1].line);
}
