// The site hands the player over to the game: the launcher goes, the main
// window becomes the titled game window showing the game page.
#include "launcher_fixture.h"
#include "screen_capture.h"

#include "app/game_address.h"

namespace e2e {
namespace {

constexpr char kGamePath[] = "/clientex/bin/index.php";
constexpr char kLauncherCaption[] = "Halden游戏-Arvendel登陆器";

class HandoverE2eTest : public LauncherTest {
protected:
    HandoverE2eTest() : LauncherTest(80) {}

    void SetUp() override {
        LauncherTest::SetUp();
        Serve(kGamePath, Page("game", "<h1>GAME</h1><p>the game page</p>"));
        Serve("/ClientEx/bin/index.php", Page("other", "<p>other case</p>"));
    }

    void StartOn(const std::string& html) {
        Serve("/launcher.html", html);
        WriteConfig("/launcher.html");
        ASSERT_TRUE(Start());
        // A quick hand-over may hide the launcher before it was ever seen.
        ASSERT_TRUE(WaitForWindows());
    }

    bool WaitForGameWindow() {
        return WaitUntil([&] { return !IsWindowVisible(launcher) && WindowText(mainWindow) != kLauncherCaption; },
                         10000);
    }

    // Requests for the game page (the launcher's own and the game window's).
    int GameRequests() {
        int count = 0;
        for (const std::string& path : RequestedPaths()) {
            count += path.rfind(kGamePath, 0) == 0;
        }
        return count;
    }
};

TEST_F(HandoverE2eTest, GameAddressTurnsTheMainWindowIntoTheGameWindow) {
    // The game page reaches the same scripting object as the launcher page.
    Serve(kGamePath, Page("game", "<h1>GAME</h1><p>the game page</p>",
                          "external.writeConfig('from' + external.xxyyzz, document.title);"));
    const std::string game = site.Url("/clientex/bin/index.php?a=1&serverid=12&username=abc&t=5");
    StartOn(Page("login", "<p>login</p>", "location.href = '" + game + "';"));
    ASSERT_TRUE(WaitForGameWindow()) << log.Text();

    EXPECT_EQ(game::GameTitle(12), WindowText(mainWindow));
    // The skin maximises it into the work area.
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(WaitUntil([&] { const RECT rect = WindowRect(mainWindow); return EqualRect(&rect, &work) != FALSE; },
                          10000));
    EXPECT_EQ(WS_CAPTION, GetWindowLongA(mainWindow, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(0, GetWindowLongA(mainWindow, GWL_EXSTYLE) & WS_EX_LAYERED);

    // The game window's own browser loads the game page and fills the client area.
    ASSERT_TRUE(log.Has({" navigate url=", "serverid=12"})) << log.Text();
    ASSERT_TRUE(WaitForDocument("serverid=12")) << log.Text();
    const RECT client = ClientScreenRect(mainWindow);
    HWND browser = DeepestChildAt(mainWindow, {client.left + 100, client.top + 100});
    ASSERT_NE(mainWindow, browser);
    const RECT browserRect = WindowRect(browser);
    EXPECT_EQ(Width(client), Width(browserRect));
    EXPECT_EQ(Height(client), Height(browserRect));
    EXPECT_EQ(2, GameRequests());
    EXPECT_TRUE(WaitUntil([&] { return InstallFile("WebCfg.ini").find("fromWibble=game") != std::string::npos; },
                          20000));
    // b1: the main window's control, created before the launcher's.
    EXPECT_TRUE(log.Has({"b1 external op=GetExternal frame=top hr=0x00000000"})) << log.Text();
    // The launcher's browser was stopped after the hand-over.
    EXPECT_TRUE(log.Has({" stop why=Stop"})) << log.Text();

    Screenshot shot;
    int dark = 0;
    // The page paints after its document completes: look until it has, or give up.
    WaitUntil(
        [&] {
            shot = Screenshot::Capture(client);
            dark = 0;
            for (int y = client.top; y < client.top + 200; ++y) {
                for (int x = client.left; x < client.left + 400; ++x) {
                    const COLORREF c = shot.At(x, y);
                    dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
                }
            }
            return dark > 20;
        },
        10000, 200);
    shot.SaveBmp(InstallPath("game.bmp"));
    EXPECT_GT(dark, 20) << "the game page's text is painted";
}

TEST_F(HandoverE2eTest, AGameAddressInASubFrameSwitchesToo) {
    const std::string game = site.Url("/clientex/bin/index.php?x=1&serverid=1005&username=bob&z=0");
    StartOn(Page("login", "<p>login</p><iframe src=\"" + game + "\"></iframe>"));
    ASSERT_TRUE(WaitForGameWindow()) << log.Text();
    EXPECT_EQ(game::GameTitle(1005), WindowText(mainWindow));
    EXPECT_EQ(1280, Width(WindowRect(mainWindow)));
}

TEST_F(HandoverE2eTest, AddressesWithoutTheQuestionMarkOrInAnotherCaseDoNotSwitch) {
    StartOn(Page("login", "<p>login</p><iframe src=\"/clientex/bin/index.php\"></iframe>"
                          "<iframe src=\"/ClientEx/bin/index.php?a=1&serverid=3&username=c&\"></iframe>"));
    ASSERT_TRUE(WaitForDocument("/ClientEx/bin/index.php?a=1"));
    ASSERT_TRUE(WaitForDocument("/clientex/bin/index.php"));
    // The page itself completes only after the program has handled its frames' events.
    ASSERT_TRUE(WaitForDocument("/launcher.html"));
    EXPECT_TRUE(IsWindowVisible(launcher));
    EXPECT_EQ(kLauncherCaption, WindowText(mainWindow));
    EXPECT_EQ(GetWindowLongA(mainWindow, GWL_EXSTYLE) & WS_EX_LAYERED, WS_EX_LAYERED);
}

TEST_F(HandoverE2eTest, ASecondHandoverChangesNothing) {
    const std::string first = "/clientex/bin/index.php?a=1&serverid=12&username=abc&t=5";
    const std::string second = "/clientex/bin/index.php?a=1&serverid=999&username=zed&t=5";
    // The game page, which the launcher too shows before it stops, links to another server.
    Serve(kGamePath, Page("game", "<h1>GAME</h1><a href=\"" + second + "\">closed test</a>"));
    StartOn(Page("login", "<p>pick a server</p><a href=\"" + first + "\">twelve</a>"));
    ASSERT_TRUE(WaitForDocument("/launcher.html"));
    ASSERT_TRUE(ClickLink(first)) << log.Text();
    ASSERT_TRUE(WaitForGameWindow()) << log.Text();
    ASSERT_TRUE(WaitForDocument("serverid=12"));

    // The hidden launcher's page can still navigate to a game address.
    ASSERT_TRUE(ClickLink(second)) << log.Text();
    // The launcher stops its browser after it has passed the address on: the
    // second stop shows that the second address has been dealt with.
    ASSERT_TRUE(WaitUntil([&] { return log.Find({" stop why=Stop"}).size() >= 2; }, 10000)) << log.Text();
    EXPECT_TRUE(log.Has({"NavigateComplete2", "serverid=999"})) << log.Text();
    EXPECT_EQ(game::GameTitle(12), WindowText(mainWindow));
    EXPECT_FALSE(IsWindowVisible(launcher));
    EXPECT_EQ(1280, Width(WindowRect(mainWindow)));
    // The game window navigated once, to the first address.
    EXPECT_EQ(1u, log.Find({" navigate url=", "serverid=12"}).size()) << log.Text();
    EXPECT_TRUE(log.Find({" navigate url=", "serverid=999"}).empty());
    EXPECT_EQ(2u, log.Find({" stop why=Stop"}).size());
}

}  // namespace
}  // namespace e2e
