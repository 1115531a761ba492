// The update step at every launch, with the real Zarnel.dll, a stand-in
// updater and the update server's manifest on the test site.
#include "launcher_fixture.h"

namespace e2e {
namespace {

constexpr char kUpdateFailed[] = "更新失败\n";

class UpdateE2eTest : public LauncherTest {
protected:
    UpdateE2eTest() : LauncherTest(90) {}

    void SetUp() override {
        LauncherTest::SetUp();
        Serve("/launcher.html", Page("news", "<p>news</p>"));
        WriteConfig("/launcher.html");
    }

    void TearDown() override {
        // Let a started stand-in updater go before its folder goes: it holds
        // the test's output open while it waits.
        if (support::FileExists(InstallPath("updater-started.txt"))) {
            support::WriteTextFile(InstallPath("release-updater.txt"), "go");
            WaitUntil([&] { return support::FileExists(InstallPath("updater-released.txt")); }, 20000);
        }
        LauncherTest::TearDown();
    }

    // Zarnel.dll, Update.xml with installed and files, the server offering offered.
    void InstallUpdater(const std::string& installed, const std::string& offered, const std::string& files = "") {
        ASSERT_TRUE(CopyBuildFile(ZarnelDll(), InstallPath("Zarnel.dll")));
        ASSERT_TRUE(CopyBuildFile(FakeUpdaterExe(), InstallPath("Brisvane.exe")));
        ASSERT_TRUE(support::WriteTextFile(
            InstallPath("Update.xml"), "<update version=\"" + installed + "\" url=\"" + site.Url("/") +
                                           "\" info=\"manifest.xml\"><files>" + files + "</files></update>"));
        ASSERT_TRUE(site.Route("/manifest.xml", 200, "<manifest><release version=\"" + offered + "\"/></manifest>"));
    }

    int ManifestRequests() {
        int count = 0;
        for (const std::string& path : RequestedPaths()) {
            count += path.rfind("/manifest.xml", 0) == 0;  // the check adds a query against caches
        }
        return count;
    }
};

TEST_F(UpdateE2eTest, WithoutTheLibraryTheLauncherStartsAsUsual) {
    ASSERT_TRUE(Start("TRUE"));
    ASSERT_TRUE(WaitForLauncher());
    EXPECT_EQ(nullptr, MessageBoxWindow(program.Pid()));
    EXPECT_EQ(0, ManifestRequests());
}

TEST_F(UpdateE2eTest, AnOfferedVersionStartsTheUpdaterAndTheProgramEnds) {
    InstallUpdater("1.0", "1.1");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(program.WaitForExit(15000));
    EXPECT_EQ(0u, program.ExitCode());
    ASSERT_TRUE(WaitUntil([&] { return support::FileExists(InstallPath("updater-started.txt")); }, 20000));
    EXPECT_EQ(0u, InstallFile("updater-started.txt").find("KT481D27-M305-942e-C7F2-5H9036B14RMX\n"));
    EXPECT_TRUE(support::FileExists(InstallPath("Server.xml")));
    EXPECT_EQ(1, ManifestRequests());
}

TEST_F(UpdateE2eTest, UpToDateTheLauncherCarriesOn) {
    InstallUpdater("1.0", "1.0");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForLauncher());
    EXPECT_EQ(1, ManifestRequests());
    EXPECT_FALSE(support::FileExists(InstallPath("updater-started.txt")));
}

// A staged file that is missing makes the completion fail.
constexpr char kMissingStagedFile[] = "<file path=\".\\\" name=\"gone.dat\"/>";

TEST_F(UpdateE2eTest, AFailedCompletionIsShownOnceThenTheCheckRuns) {
    InstallUpdater("1.0", "1.0", kMissingStagedFile);
    ASSERT_TRUE(Start("TRUE"));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxWindow(program.Pid())) != nullptr; }, 15000));
    EXPECT_EQ(kUpdateFailed, WindowText(GetDlgItem(box, 0xFFFF)));
    EXPECT_EQ(0, ManifestRequests()) << "the check waits for the message";
    EXPECT_NE(nullptr, GetDlgItem(box, IDOK));  // an OK button, and no other
    EXPECT_EQ(nullptr, GetDlgItem(box, IDCANCEL));
    PostMessageA(box, WM_COMMAND, IDOK, 0);

    ASSERT_TRUE(WaitForLauncher());
    EXPECT_EQ(1, ManifestRequests());
    // The page loads in the message loop, after the whole update step.
    ASSERT_TRUE(WaitForDocument("/launcher.html")) << log.Text();
    EXPECT_EQ(nullptr, MessageBoxWindow(program.Pid()));
    // The failed entry was dropped from the list; the version stayed.
    EXPECT_EQ(std::string::npos, InstallFile("Update.xml").find("gone.dat"));
}

TEST_F(UpdateE2eTest, LowerCaseTrueCompletesNothing) {
    InstallUpdater("1.0", "1.0", kMissingStagedFile);
    ASSERT_TRUE(Start("true"));
    ASSERT_TRUE(WaitForLauncher());
    EXPECT_EQ(nullptr, MessageBoxWindow(program.Pid()));
    EXPECT_EQ(1, ManifestRequests());
    EXPECT_NE(std::string::npos, InstallFile("Update.xml").find("gone.dat"));
}

}  // namespace
}  // namespace e2e
