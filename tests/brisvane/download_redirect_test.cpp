// The updater's downloads follow redirects by the transport's rule too: a
// plain one reaches the file, and one that may not be followed shows as its
// status with nothing staged.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>

#include "download.h"
#include "folder_test.h"
#include "offer_builder.h"
#include "test_httpd.h"

namespace btest {
namespace {

using brisvane::Outcome;

class DownloadRedirect : public FolderTest {
protected:
    DownloadRedirect() : m_server(support::TestHttpd::Port(33)) {}
    void SetUp() override { ASSERT_TRUE(m_server.ok()) << m_server.error(); }

    bool Redirect(const std::string& path, int status, const std::string& location) {
        return m_server.Route(path, status, "<p>moved</p>", "length", {"Location: " + location});
    }
    brisvane::DownloadResult Download(const std::string& path) {
        const std::atomic<bool> cancel{false};
        return brisvane::DownloadFile(m_server.Url(path), m_dir.File("pack.dat.tmp"), m_strBytes.size(),
                                      Sha256Hex(m_strBytes), zarnel::TimeLimits(), cancel,
                                      [](std::uint64_t) {});
    }

    support::TestHttpd m_server;
    const std::string m_strBytes = std::string(200000, 'd') + "end";
};

TEST_F(DownloadRedirect, FollowsPlainRedirectsAndRefusesTheRest) {
    ASSERT_TRUE(m_server.Route("/files/pack.dat", 200, m_strBytes));
    ASSERT_TRUE(Redirect("/plain", 303, "files/pack.dat"));
    ASSERT_TRUE(Redirect("/loop", 302, "/loop"));
    ASSERT_TRUE(Redirect("/ftp", 301, "ftp://127.0.0.1:" + std::to_string(m_server.port()) + "/files/pack.dat"));

    brisvane::DownloadResult result = Download("/plain");
    EXPECT_EQ(Outcome::kDone, result.outcome);
    EXPECT_TRUE(Read("pack.dat.tmp") == m_strBytes);
    ASSERT_TRUE(DeleteFileA(m_dir.File("pack.dat.tmp").c_str()));

    const struct {
        const char* path;
        DWORD status;
    } refused[] = {{"/loop", 302}, {"/ftp", 301}};
    for (const auto& r : refused) {
        result = Download(r.path);
        EXPECT_EQ(Outcome::kHttpStatus, result.outcome) << r.path;
        EXPECT_EQ(r.status, result.status) << r.path;
        EXPECT_FALSE(Exists("pack.dat.tmp")) << r.path;
    }
}

}  // namespace
}  // namespace btest
