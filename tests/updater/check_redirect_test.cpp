// check through the real DLL when the server answers with redirects: plain
// ones are followed, a loop ends, and one to another scheme is refused.
#include "zarnel_fixture.h"

namespace ztest {
namespace {

constexpr char kOffer[] = "<manifest><release version=\"2.0\"/></manifest>";
constexpr char kOldServer[] = "<old version=\"0\"/>";

class CheckRedirect : public ZarnelTest {
protected:
    void SetUp() override {
        ZarnelTest::SetUp();
        WriteLocalManifest("1.0", "Server.xml");
        Write("Server.xml", kOldServer);
    }
    // The redirect's own body offers a version too: it must never count.
    bool Redirect(const std::string& path, int status, const std::string& location) {
        return m_server.Route(path, status, kOffer, "length", {"Location: " + location});
    }
    // The paths requested, without their queries.
    std::vector<std::string> Paths() {
        std::vector<std::string> paths;
        for (const support::HttpRequestSeen& seen : m_server.Requests()) {
            const std::size_t start = seen.line.find(' ') + 1;
            paths.push_back(seen.line.substr(start, seen.line.find_first_of("? ", start) - start));
        }
        return paths;
    }
};

TEST_F(CheckRedirect, PlainRedirectsAreFollowedToTheManifest) {
    // Relative, then absolute, then with another of the statuses.
    ASSERT_TRUE(Redirect("/Server.xml", 302, "moved/Server.xml"));
    ASSERT_TRUE(Redirect("/moved/Server.xml", 301, m_server.Url("/again.xml")));
    ASSERT_TRUE(Redirect("/again.xml", 307, "/final.xml?from=again"));
    ASSERT_TRUE(m_server.Route("/final.xml", 200, kOffer));
    int error = 7;
    EXPECT_FALSE(m_zarnel.check(&error));  // a new version is offered
    EXPECT_EQ(0, error);
    EXPECT_NE(std::string::npos, Read("Server.xml").find("version=\"2.0\"")) << Read("Server.xml");
    const std::vector<std::string> expected = {"/Server.xml", "/moved/Server.xml", "/again.xml", "/final.xml"};
    EXPECT_EQ(expected, Paths());
}

TEST_F(CheckRedirect, ALoopOrAnotherSchemeFailsTheCheck) {
    const struct {
        const char* why;
        std::string location;
        std::size_t requests;
    } cases[] = {
        {"a loop", "/Server.xml", 1 + 5},  // five redirects are followed in a row
        {"another scheme", "ftp://127.0.0.1:" + std::to_string(m_server.port()) + "/Server.xml", 1},
        {"a file", "file:///c:/windows/win.ini", 1},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(m_server.ClearLog());
        ASSERT_TRUE(Redirect("/Server.xml", 302, c.location));
        int error = 7;
        EXPECT_FALSE(m_zarnel.check(&error)) << c.why;
        EXPECT_EQ(-1, error) << c.why;
        EXPECT_EQ(kOldServer, Read("Server.xml")) << c.why;
        EXPECT_EQ(c.requests, Paths().size()) << c.why;
    }
}

}  // namespace
}  // namespace ztest
