// Brisvane.exe itself under Wine: how it refuses to start, one updater per
// folder, and its window through a failure, a retry and a cancel.
#include <windows.h>
#include <gtest/gtest.h>

#include "folder_test.h"
#include "offer_builder.h"
#include "program_run.h"
#include "test_signer.h"
#include "updater_window.h"

namespace btest {
namespace {

constexpr char kToken[] = "KT481D27-M305-942e-C7F2-5H9036B14RMX";

class UpdaterProgram : public FolderTest {
protected:
    UpdaterProgram() : m_server(support::TestHttpd::Port(32)) {}
    void SetUp() override {
        ASSERT_TRUE(m_server.ok()) << m_server.error();
        ASSERT_TRUE(support::CopyBuildFile(BRISVANE_EXE, m_dir.File("Brisvane.exe")));
        ASSERT_TRUE(support::CopyBuildFile(STANDIN_PROGRAM, m_dir.File("Vorn_Login.exe")));
        m_files = {{"", "a.dat", std::string(200000, 'a')}, {"", "b.dat", "new b"}};
        Write("Update.xml", "<update version=\"1.0\" url=\"" + m_server.Url("/") +
                                "\" info=\"manifest.xml\"><files /></update>");
        Write("Server.xml", ServerManifest("2.0", m_files));
        ASSERT_TRUE(ServeFiles(m_server, m_files));
        ASSERT_TRUE(ServeSigned(m_server, "/manifest.xml", ServerManifest("2.0", m_files)));
        m_strUpdateXml = Read("Update.xml");
    }
    void TearDown() override {
        m_updater.Kill();
        m_second.Kill();
        if (Exists("updater-started.txt")) {
            Write("release-updater.txt", "go");
            support::WaitUntil([&] { return Exists("updater-released.txt"); }, 20000);
        }
    }
    bool StartUpdater(support::ProgramRun& run) {
        return run.StartWholeLine(m_dir.File("Brisvane.exe"), m_dir.path(), kToken);
    }
    void ExpectNothingChanged() {
        EXPECT_FALSE(Exists("a.dat.tmp"));
        EXPECT_FALSE(Exists("b.dat.tmp"));
        EXPECT_EQ(m_strUpdateXml, Read("Update.xml"));
        EXPECT_FALSE(Exists("updater-started.txt"));
    }

    support::TestHttpd m_server;
    std::vector<ServedFile> m_files;
    std::string m_strUpdateXml;
    support::ProgramRun m_updater;
    support::ProgramRun m_second;
};

TEST_F(UpdaterProgram, StartedByHandItExplainsAndChangesNothing) {
    ASSERT_TRUE(m_updater.Start(m_dir.File("Brisvane.exe"), m_dir.path(), kToken));  // name in front
    HWND box = nullptr;
    ASSERT_TRUE(support::WaitUntil([&] { return (box = support::ShownWindow(m_updater.Pid())) != nullptr; }, 30000));
    char className[32] = {};
    GetClassNameA(box, className, sizeof className);
    EXPECT_STREQ("#32770", className);
    EXPECT_EQ("更新程序由游戏登录器自动启动，请直接运行游戏。", ControlText(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(m_updater.WaitForExit(20000));
    EXPECT_EQ(3u, m_updater.ExitCode());
    ExpectNothingChanged();
    EXPECT_TRUE(m_server.Requests().empty());
}

TEST_F(UpdaterProgram, ASecondUpdaterInTheFolderEndsAtOnceAndCancelLeavesNothing) {
    ASSERT_TRUE(m_server.Route(FilePath(0), 200, m_files[0].bytes, "rate=20000"));
    ASSERT_TRUE(StartUpdater(m_updater));
    UpdaterWindow window(m_updater.Pid());
    ASSERT_TRUE(window.Wait());
    ASSERT_TRUE(support::WaitUntil([&] { return Exists("a.dat.tmp"); }, 30000));

    ASSERT_TRUE(StartUpdater(m_second));
    ASSERT_TRUE(m_second.WaitForExit(20000));
    EXPECT_EQ(2u, m_second.ExitCode());
    EXPECT_TRUE(m_updater.Running());

    // The window shows the download under way.
    EXPECT_EQ("正在下载更新…", window.Status());
    EXPECT_NE(std::string::npos, ControlText(window.hwnd(), brisvane::kFileText).find("a.dat (1/2)"));
    window.Click(brisvane::kCancelButton);
    ASSERT_TRUE(window.WaitForStatus("更新已取消"));
    EXPECT_EQ("退出", ControlText(window.hwnd(), brisvane::kCancelButton));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(window.hwnd(), brisvane::kRetryButton)));
    ExpectNothingChanged();
    window.Click(brisvane::kCancelButton);
    ASSERT_TRUE(m_updater.WaitForExit(20000));
    EXPECT_EQ(1u, m_updater.ExitCode());
    ExpectNothingChanged();
}

// Each failure shows in the window with a retry; the last retry completes.
TEST_F(UpdaterProgram, AFailureIsShownAndARetryCompletes) {
    const TestSigner stranger;
    ASSERT_TRUE(ServeSigned(m_server, "/manifest.xml", ServerManifest("2.0", m_files), stranger));
    ASSERT_TRUE(StartUpdater(m_updater));
    UpdaterWindow window(m_updater.Pid());
    ASSERT_TRUE(window.Wait());
    ASSERT_TRUE(window.WaitForStatus("更新失败"));
    EXPECT_EQ("更新失败：无法验证更新（签名缺失或无效），未安装任何文件。", window.Status());
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(window.hwnd(), brisvane::kRetryButton)));
    EXPECT_EQ("退出", ControlText(window.hwnd(), brisvane::kCancelButton));
    ExpectNothingChanged();

    ASSERT_TRUE(ServeSigned(m_server, "/manifest.xml", ServerManifest("2.0", m_files)));
    ASSERT_TRUE(m_server.Route(FilePath(1), 404, "missing"));
    window.Click(brisvane::kRetryButton);
    ASSERT_TRUE(window.WaitForStatus("HTTP"));
    EXPECT_EQ("更新失败：更新服务器返回错误（HTTP 404）。", window.Status());
    ExpectNothingChanged();

    ASSERT_TRUE(ServeFiles(m_server, m_files));
    window.Click(brisvane::kRetryButton);
    ASSERT_TRUE(m_updater.WaitForExit(60000));
    EXPECT_EQ(0u, m_updater.ExitCode());
    EXPECT_EQ(m_files[0].bytes, Read("a.dat.tmp"));
    EXPECT_EQ("new b", Read("b.dat.tmp"));
    ASSERT_TRUE(support::WaitUntil([&] { return Read("updater-started.txt").find('\n') != std::string::npos; }, 20000));
    EXPECT_EQ(0u, Read("updater-started.txt").find("\"Vorn_Login.exe\" TRUE\n"));
}

}  // namespace
}  // namespace btest
