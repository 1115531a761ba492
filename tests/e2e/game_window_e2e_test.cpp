// The game window as a player meets it: the skinned frame by pixel against
// the program's own bitmaps, the hit codes, maximise and restore, the boss
// key and tray, refreshing, the caption's links and the close confirmation.
#include "launcher_fixture.h"
#include "screen_capture.h"

#include "owners/gdi_owners.h"

#include <shellapi.h>

namespace e2e {
namespace {

constexpr char kGamePath[] = "/clientex/bin/index.php";
constexpr char kLauncherCaption[] = "Halden游戏-Arvendel登陆器";
constexpr UINT kTrayMessage = 12345;

RECT WorkArea() {
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// A skin bitmap of the program, from the resource files it was built with.
ScopedBitmap SkinBitmap(const char* name) {
    const std::string path = WindowsPath(std::string(VORN_SKIN_DIR) + "/" + name);
    return ScopedBitmap(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}

COLORREF Pixel(HBITMAP bitmap, int x, int y) {
    ScopedMemoryDC memory(nullptr);
    ScopedSelection selected(memory.get(), bitmap);
    return GetPixel(memory.get(), x, y);
}

class GameWindowE2eTest : public LauncherTest {
protected:
    GameWindowE2eTest() : LauncherTest(100) {}

    void StartGame(const std::map<std::string, std::string>& config = {}) {
        Serve(kGamePath, Page("game", "<h1>GAME</h1>"));
        const std::string game = site.Url(std::string(kGamePath) + "?a=1&serverid=12&username=alice&t=5");
        Serve("/launcher.html", Page("login", "<p>login</p>", "location.href = '" + game + "';"));
        WriteConfig("/launcher.html", config);
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitForWindows());
        const RECT work = WorkArea();
        ASSERT_TRUE(WaitUntil(
            [&] {
                const RECT r = WindowRect(mainWindow);
                return WindowText(mainWindow) != kLauncherCaption && EqualRect(&r, &work);
            },
            20000))
            << log.Text();
        ASSERT_TRUE(WaitForDocument("serverid=12"));
    }

    LRESULT Hit(int x, int y) {
        const RECT r = WindowRect(mainWindow);
        return SendMessageA(mainWindow, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
    }

    int GameRequests() {
        int count = 0;
        for (const std::string& path : RequestedPaths()) count += path.rfind(kGamePath, 0) == 0;
        return count;
    }
};

TEST_F(GameWindowE2eTest, SkinnedFrameFillsTheWorkAreaAndAnswersTheCaption) {
    StartGame();
    EXPECT_FALSE(IsZoomed(mainWindow)) << "not the system's maximised state";
    const RECT window = WindowRect(mainWindow);
    const int width = Width(window);
    EXPECT_EQ(HTCLOSE, Hit(width - 30, 10));
    EXPECT_EQ(HTMAXBUTTON, Hit(width - 70, 10));
    EXPECT_EQ(104, Hit(width - 280, 10));
    EXPECT_EQ(HTCAPTION, Hit(width - 380, 10));
    EXPECT_EQ(HTSYSMENU, Hit(12, 10));
    EXPECT_EQ(HTCLIENT, Hit(500, 3)) << "no resize zones while maximised";

    // The caption as drawn: the close button's frame 0 with magenta left out,
    // the restore button (maximised) beside it, the left border, white title text.
    ScopedBitmap close = SkinBitmap("caption_close.bmp"), restore = SkinBitmap("caption_restore.bmp"),
                 left = SkinBitmap("frame_left.bmp");
    ASSERT_TRUE(close.get() && restore.get() && left.get());
    Screenshot shot;
    int mismatched = 0, compared = 0;
    WaitUntil(
        [&] {
            shot = Screenshot::Capture(RECT{window.left, window.top, window.right, window.top + 40});
            mismatched = compared = 0;
            for (int y = 0; y < 23; ++y) {
                for (int x = 0; x < 42; ++x) {
                    const COLORREF image = Pixel(close.get(), x, y);
                    if (image == RGB(255, 0, 255)) continue;
                    ++compared;
                    mismatched += ColourDistance(image, shot.At(window.left + width - 46 + x, window.top + 4 + y)) > 8;
                }
            }
            return compared > 0 && mismatched == 0;
        },
        10000, 200);
    shot.SaveBmp(InstallPath("caption.bmp"));
    EXPECT_GT(compared, 100);
    EXPECT_EQ(0, mismatched);
    EXPECT_LE(ColourDistance(Pixel(restore.get(), 16, 11), shot.At(window.left + width - 78 + 16, window.top + 15)), 8);
    EXPECT_LE(ColourDistance(Pixel(left.get(), 3, 20), shot.At(window.left + 3, window.top + 20)), 8);
    int white = 0;
    for (int x = 30; x < 300; ++x)
        for (int y = 8; y < 26; ++y) white += shot.At(window.left + x, window.top + y) == RGB(255, 255, 255);
    EXPECT_GT(white, 10) << "the title in white";

    // Restore gives 0, 0, 1280 by 800, where the caption drags and the edges size.
    PostMessageA(mainWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return Width(WindowRect(mainWindow)) == 1280 && Height(WindowRect(mainWindow)) == 800; },
                          10000));
    EXPECT_EQ(0, WindowRect(mainWindow).left);
    EXPECT_EQ(HTTOP, Hit(500, 3));
    EXPECT_EQ(HTMAXBUTTON, Hit(1210, 10));
    MINMAXINFO info = {};
    info.ptMinTrackSize = {100, 100};
    SendMessageA(mainWindow, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(958, info.ptMinTrackSize.x);
    EXPECT_EQ(576, info.ptMinTrackSize.y);
    PostMessageA(mainWindow, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    const RECT work = WorkArea();
    EXPECT_TRUE(WaitUntil([&] { const RECT r = WindowRect(mainWindow); return EqualRect(&r, &work) != FALSE; }, 10000));
}

TEST_F(GameWindowE2eTest, BossKeyHidesToTheTrayAndTheIconBringsItBack) {
    StartGame();
    PostMessageA(mainWindow, WM_HOTKEY, 1001, MAKELPARAM(0, VK_F11));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(mainWindow); }, 10000));
    EXPECT_EQ(1, SendMessageA(mainWindow, kTrayMessage, 7, WM_LBUTTONUP)) << "another icon's message";
    EXPECT_FALSE(IsWindowVisible(mainWindow));
    EXPECT_EQ(0, SendMessageA(mainWindow, kTrayMessage, 128, WM_LBUTTONUP));
    EXPECT_TRUE(IsWindowVisible(mainWindow));

    PostMessageA(mainWindow, WM_COMMAND, 10002, 0);  // the game menu's boss key
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(mainWindow); }, 10000));
    SendMessageA(mainWindow, kTrayMessage, 128, WM_LBUTTONUP);
    PostMessageA(mainWindow, WM_NCLBUTTONUP, 101, 0);  // the caption's tray button
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(mainWindow); }, 10000));
    SendMessageA(mainWindow, kTrayMessage, 128, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(mainWindow));

    // Escape never closes the game window.
    PostMessageA(mainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(mainWindow, WM_COMMAND, 10000, 0);  // a later event that proves Escape was handled
    ASSERT_TRUE(WaitUntil([&] { return GameRequests() >= 3; }, 10000));
    EXPECT_TRUE(program.Running());

    // The tray menu's item ends the program at once.
    PostMessageA(mainWindow, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(program.WaitForExit(20000));
    EXPECT_EQ(0u, program.ExitCode());
}

// The tray record of the program's icon, as another process can name it.
NOTIFYICONDATAA TrayRecord(HWND window) {
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof nid;
    nid.hWnd = window;
    nid.uID = 128;
    nid.uFlags = NIF_TIP;
    lstrcpynA(nid.szTip, "probe", sizeof nid.szTip);
    return nid;
}

// NIM_MODIFY succeeds only for an icon the shell has.
bool TrayHasIcon(HWND window) {
    NOTIFYICONDATAA nid = TrayRecord(window);
    return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

TEST_F(GameWindowE2eTest, BossKeyKeepsTheWindowWhenNoIconCanBeAddedAndTheIconComesBackWithTheShell) {
    StartGame();
    // An icon of the same window and id is there already: the program's add fails.
    NOTIFYICONDATAA nid = TrayRecord(mainWindow);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &nid));
    const int before = GameRequests();
    PostMessageA(mainWindow, WM_HOTKEY, 1001, 0);
    PostMessageA(mainWindow, WM_COMMAND, 10000, 0);  // handled after the hot key
    ASSERT_TRUE(WaitUntil([&] { return GameRequests() > before; }, 10000));
    EXPECT_TRUE(IsWindowVisible(mainWindow)) << "no way back from the tray: the window stays";
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));

    PostMessageA(mainWindow, WM_HOTKEY, 1001, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(mainWindow); }, 10000));
    EXPECT_TRUE(TrayHasIcon(mainWindow));
    // The shell restarts and has forgotten the icon; the program adds it again.
    nid = TrayRecord(mainWindow);
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));
    EXPECT_FALSE(TrayHasIcon(mainWindow));
    SendMessageA(mainWindow, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayHasIcon(mainWindow));
    EXPECT_EQ(0, SendMessageA(mainWindow, kTrayMessage, 128, WM_LBUTTONUP));
    EXPECT_TRUE(IsWindowVisible(mainWindow));
    EXPECT_FALSE(TrayHasIcon(mainWindow)) << "removed when the window came back";
}

TEST_F(GameWindowE2eTest, RefreshCommandsReloadTheGamePage) {
    StartGame();
    const int before = GameRequests();
    PostMessageA(mainWindow, WM_COMMAND, 10000, 0);
    ASSERT_TRUE(WaitUntil([&] { return GameRequests() == before + 1; }, 10000));
    PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(32771, 1), 0);  // the F5 accelerator's command
    ASSERT_TRUE(WaitUntil([&] { return GameRequests() == before + 2; }, 10000));
    // F5 pressed in the page: the accelerator turns it into that command.
    const RECT client = ClientScreenRect(mainWindow);
    HWND page = DeepestChildAt(mainWindow, {client.left + 100, client.top + 100});
    ASSERT_NE(mainWindow, page);
    PostMessageA(page, WM_KEYDOWN, VK_F5, 0x003F0001);
    ASSERT_TRUE(WaitUntil([&] { return GameRequests() == before + 3; }, 10000));
    // All three through the program's Refresh, none through the control's own F5.
    EXPECT_EQ(3u, log.Find({" queued ", "origin=Refresh"}).size()) << log.Text();
    EXPECT_TRUE(log.Find({" queued ", "origin=F5"}).empty()) << log.Text();
}

TEST_F(GameWindowE2eTest, CaptionLinksOpenTheirPagesWithTheRechargePlaceholdersFilled) {
    LinkCapture capture(LinkCaptureScript(), WindowsPath(LinkCaptureScript() + ".captured"));
    StartGame({{"bbsAddr", "http://forum.example/bbs"},
               {"homeAddr", "http://home.example/"},
               {"rechargeAddr", "http://pay.example/pay.php?sid=[server]&name=[user]&again=[server]"}});
    const UINT codes[] = {102, 103, 104};
    for (size_t i = 0; i < 3; ++i) {
        PostMessageA(mainWindow, WM_NCLBUTTONUP, codes[i], 0);
        ASSERT_TRUE(WaitUntil([&] { return capture.Addresses().size() > i; }, 10000)) << "code " << codes[i];
    }
    const std::vector<std::string> expected = {"http://forum.example/bbs",
                                               "http://pay.example/pay.php?sid=12&name=alice&again=12",
                                               "http://home.example/"};
    EXPECT_EQ(expected, capture.Addresses());
}

// The popup menu window of pid that is shown, or null.
HWND ShownPopupMenu(DWORD pid) {
    HWND found = nullptr;
    for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu && !found;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(menu, &owner);
        if (owner == pid && IsWindowVisible(menu)) found = menu;
    }
    return found;
}

TEST_F(GameWindowE2eTest, CaptionButtonsShowHoverAndPressFramesAndMenus) {
    StartGame();
    const RECT window = WindowRect(mainWindow);
    const int width = Width(window);
    ScopedBitmap close = SkinBitmap("caption_close.bmp");
    // Frame f of the close button as shown: pixels that differ from the key and match.
    auto shows = [&](int frame) {
        const Screenshot shot = Screenshot::Capture(RECT{window.left, window.top, window.right, window.top + 32});
        int bad = 0, seen = 0;
        for (int y = 0; y < 23; ++y) {
            for (int x = 0; x < 42; ++x) {
                const COLORREF image = Pixel(close.get(), frame * 42 + x, y);
                if (image == RGB(255, 0, 255)) continue;
                ++seen;
                bad += ColourDistance(image, shot.At(window.left + width - 46 + x, window.top + 4 + y)) > 8;
            }
        }
        return seen > 100 && bad == 0;
    };
    const POINT over = {window.left + width - 30, window.top + 10};
    const LPARAM at = MAKELPARAM(over.x, over.y);
    SendMessageA(mainWindow, WM_NCMOUSEMOVE, HTCLOSE, at);
    EXPECT_TRUE(WaitUntil([&] { return shows(2); }, 5000)) << "hover: frame 2";
    SendMessageA(mainWindow, WM_NCHITTEST, 0, at);
    SendMessageA(mainWindow, WM_NCLBUTTONDOWN, HTCLOSE, at);
    EXPECT_TRUE(WaitUntil([&] { return shows(1); }, 5000)) << "pressed: frame 1";
    SendMessageA(mainWindow, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(window.left + 600, window.top + 10));
    EXPECT_TRUE(WaitUntil([&] { return shows(0); }, 5000)) << "away: frame 0";

    // The settings button opens the game menu; the caption's right button the system menu.
    PostMessageA(mainWindow, WM_NCLBUTTONUP, 100, 0);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = ShownPopupMenu(program.Pid())) != nullptr; }, 10000));
    PostMessageA(mainWindow, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return ShownPopupMenu(program.Pid()) == nullptr; }, 10000));
    PostMessageA(mainWindow, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(window.left + 600, window.top + 10));
    ASSERT_TRUE(WaitUntil([&] { return ShownPopupMenu(program.Pid()) != nullptr; }, 10000));
    PostMessageA(mainWindow, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return ShownPopupMenu(program.Pid()) == nullptr; }, 10000));
}

TEST_F(GameWindowE2eTest, MinimiseAndRestoreFromTheTaskbarKeepTheEarlierState) {
    StartGame();
    const RECT work = WorkArea();
    PostMessageA(mainWindow, WM_NCLBUTTONUP, HTMINBUTTON, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(mainWindow) != FALSE; }, 10000));
    PostMessageA(mainWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(mainWindow); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { const RECT r = WindowRect(mainWindow); return EqualRect(&r, &work) != FALSE; }, 5000))
        << "maximised again, in place";
    EXPECT_EQ(HTCLIENT, Hit(500, 3));

    // The system menu's minimise, then restore: from the normal state this time.
    PostMessageA(mainWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return Width(WindowRect(mainWindow)) == 1280 && Height(WindowRect(mainWindow)) == 800; },
                          10000));
    PostMessageA(mainWindow, WM_COMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(mainWindow) != FALSE; }, 10000));
    PostMessageA(mainWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(mainWindow); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return Height(WindowRect(mainWindow)) == 800; }, 5000));
    EXPECT_EQ(HTTOP, Hit(500, 3));
}

// The confirmation dialog of the program: the one showing the question.
HWND ConfirmationDialog(DWORD pid) {
    for (HWND window : TopLevelWindows(pid)) {
        if (IsWindowVisible(window) && FindWindowExA(window, nullptr, "Static", "您确定离开游戏么？")) return window;
    }
    return nullptr;
}

TEST_F(GameWindowE2eTest, CloseButtonAsksFirstEscapeCancelsEnterConfirms) {
    StartGame();
    PostMessageA(mainWindow, WM_NCLBUTTONUP, HTCLOSE, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = ConfirmationDialog(program.Pid())) != nullptr; }, 10000));
    EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "modal over the main window";
    EXPECT_EQ(mainWindow, GetWindow(dialog, GW_OWNER));
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_TRUE(program.Running()) << "cancelled: the game goes on";

    PostMessageA(mainWindow, WM_NCLBUTTONUP, HTCLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return (dialog = ConfirmationDialog(program.Pid())) != nullptr; }, 10000));
    PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(program.WaitForExit(20000));
    EXPECT_EQ(0u, program.ExitCode());
}

}  // namespace
}  // namespace e2e
