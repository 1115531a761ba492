// With Wine's own WebBrowser control, which cannot show pages here: the
// program still starts, asks the site for the launcher page and keeps running.
#include "launcher_fixture.h"

namespace e2e {
namespace {

class WineBrowserSmokeTest : public LauncherTest {
protected:
    WineBrowserSmokeTest() : LauncherTest(95, false) {}
};

TEST_F(WineBrowserSmokeTest, StartsAsksForTheLauncherPageAndCloses) {
    Serve("/launcher.html", Page("news", "<p>news</p>"));
    WriteConfig("/launcher.html");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForLauncher());
    EXPECT_TRUE(WaitForRequest("/launcher.html"));
    ASSERT_TRUE(program.Running());
    EXPECT_EQ(nullptr, MessageBoxWindow(program.Pid()));
    // Closing is handled after whatever the load left queued: a message box
    // would hold the close up, a crash would end the run with another code.
    PostMessageA(GetDlgItem(launcher, 1006), BM_CLICK, 0, 0);
    ASSERT_TRUE(program.WaitForExit(20000)) << (MessageBoxWindow(program.Pid()) ? "a message box is shown" : "");
    EXPECT_EQ(0u, program.ExitCode());
}

}  // namespace
}  // namespace e2e
