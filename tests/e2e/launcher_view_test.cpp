// The launcher as a player sees and uses it: over the picture, colour key cut
// out, its buttons drawn from their pictures with their tooltips, the page in
// its browser; close, minimise and the four links.
#include "launcher_fixture.h"
#include "screen_capture.h"

#include <cstdio>

namespace e2e {
namespace {

constexpr unsigned kBackgroundPicture = 130;
constexpr unsigned kCloseNormalPicture = 168;
constexpr unsigned kMinNormalPicture = 171;

class LauncherViewTest : public LauncherTest {
protected:
    LauncherViewTest() : LauncherTest(60) {}

    void StartOnPage() {
        Serve("/launcher.html", Page("news", "<h1>Arvendel</h1><p>news of the day</p><a href=\"/more.html\">more</a>"));
        WriteConfig("/launcher.html", {{"bbsAddr", "http://forum.example/bbs?a=1&b=2"},
                                       {"serviceAddr", "http://service.example/"},
                                       {"homeAddr", "http://home.example/"},
                                       {"rechargeAddr", "http://pay.example/pay.php?sid=[server]&name=[user]"}});
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitForLauncher());
        ASSERT_TRUE(WaitForDocument("/launcher.html"));
    }
};

BOOL CALLBACK CountVisible(HWND window, LPARAM param) {
    *reinterpret_cast<size_t*>(param) += IsWindowVisible(window) ? 1 : 0;
    return TRUE;
}

// Of every process: the shell's windows are not the program's.
size_t VisibleTopLevelWindows() {
    size_t count = 0;
    EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct TooltipSearch {
    HWND owner;
    size_t found;
};

BOOL CALLBACK CountTooltips(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TooltipSearch*>(param);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, "tooltips_class32") == 0 && GetWindow(window, GW_OWNER) == search->owner) {
        ++search->found;
    }
    return TRUE;
}

// Tooltip windows (shown or not) that owner's controls made.
size_t TooltipsOf(HWND owner) {
    TooltipSearch search = {owner, 0};
    EnumWindows(CountTooltips, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Share of sample points whose screen colour is the picture's colour there.
double MatchingShare(const Screenshot& shot, const ResourcePicture& picture, int originX, int originY,
                     const RECT& skip1, const RECT& skip2, int* samples) {
    int tried = 0;
    int matched = 0;
    for (int y = 5; y < picture.height(); y += 17) {
        for (int x = 5; x < picture.width(); x += 17) {
            const POINT p = {originX + x, originY + y};
            const uint32_t argb = picture.At(x, y);
            if ((argb >> 24) != 0xFF || PtInRect(&skip1, p) || PtInRect(&skip2, p)) {
                continue;  // half-transparent pixels blend with whatever is below
            }
            ++tried;
            if (ColourDistance(shot.At(p.x, p.y), OpaqueColour(argb)) <= 8) {
                ++matched;
            }
        }
    }
    *samples = tried;
    return tried ? static_cast<double>(matched) / tried : 0.0;
}

TEST_F(LauncherViewTest, ShowsThePictureThroughItsKeyWithItsButtonsAndPage) {
    StartOnPage();
    GdiplusSession gdiplus;
    const ResourcePicture background(InstallPath("Vorn_Login.exe"), kBackgroundPicture);
    const ResourcePicture closeButton(InstallPath("Vorn_Login.exe"), kCloseNormalPicture);
    const ResourcePicture minButton(InstallPath("Vorn_Login.exe"), kMinNormalPicture);
    ASSERT_TRUE(background.valid() && closeButton.valid() && minButton.valid());

    const RECT main = WindowRect(mainWindow);
    const RECT client = ClientScreenRect(launcher);
    EXPECT_EQ(background.width(), Width(main));
    EXPECT_EQ(background.height(), Height(main));
    EXPECT_EQ(main.left + 3, WindowRect(launcher).left);
    EXPECT_EQ(main.top, WindowRect(launcher).top);
    // The launcher's own surface is all key colour: the picture shows through.
    const RECT browser = {client.left + 275, client.top + 149, client.left + 275 + 646, client.top + 149 + 409};
    const RECT buttons = {client.left + 340, client.top + 50, client.left + 940, client.top + 115};
    int samples = 0;
    double share = 0;
    Screenshot shot;
    // The compositor may take a moment on a busy machine: look again a few times.
    WaitUntil(
        [&] {
            shot = Screenshot::Capture(main);
            share = MatchingShare(shot, background, main.left, main.top, browser, buttons, &samples);
            return share > 0.95;
        },
        10000, 400);
    ASSERT_TRUE(shot.valid());
    shot.SaveBmp(InstallPath("launcher.bmp"));
    EXPECT_GT(samples, 200);
    EXPECT_GT(share, 0.95) << "of " << samples << " opaque picture pixels";
    for (int y = client.top; y < client.bottom; y += 7) {
        for (int x = client.left; x < client.right; x += 7) {
            ASSERT_NE(RGB(1, 1, 1), shot.At(x, y)) << "key colour visible at " << x << "," << y;
        }
    }

    // The buttons show their normal pictures where those are opaque.
    struct Shown { const ResourcePicture* picture; int left, top; } shown[] = {
        {&closeButton, 908, 58}, {&minButton, 881, 61}};
    for (const Shown& button : shown) {
        int opaque = 0, same = 0;
        for (int y = 0; y < button.picture->height(); ++y) {
            for (int x = 0; x < button.picture->width(); ++x) {
                const uint32_t argb = button.picture->At(x, y);
                if ((argb >> 24) != 0xFF) continue;
                ++opaque;
                same += ColourDistance(shot.At(client.left + button.left + x, client.top + button.top + y),
                                       OpaqueColour(argb)) <= 8;
            }
        }
        EXPECT_GT(opaque, 20);
        EXPECT_GT(same, opaque * 9 / 10) << "button at " << button.left << "," << button.top;
    }

    // The browser shows the page: painted text on a plain ground, not the picture.
    int dark = 0, light = 0;
    for (int y = browser.top; y < browser.bottom; y += 2) {
        for (int x = browser.left; x < browser.left + 300; x += 2) {
            const COLORREF c = shot.At(x, y);
            dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
            light += GetRValue(c) + GetGValue(c) + GetBValue(c) > 600;
        }
    }
    EXPECT_GT(dark, 10);
    EXPECT_GT(light, 1000);
    // Close and minimise have their tooltips, made once the launcher shows.
    EXPECT_TRUE(WaitUntil([&] { return TooltipsOf(launcher) == 2; }, 10000)) << TooltipsOf(launcher);
    // Silent, and hosted by the program's UI handler: no border, no scroll bars.
    EXPECT_TRUE(log.Has({"silent", "op=put", "value=1"}));
    EXPECT_TRUE(log.Has({"hostinfo", "flags=0x0000000c"})) << log.Text();
    EXPECT_TRUE(log.Has({"window", "scrollbar=0", "border3d=0"}));
}

TEST_F(LauncherViewTest, CloseEndsTheProgramAtOnce) {
    StartOnPage();
    const DWORD start = GetTickCount();
    PostMessageA(GetDlgItem(launcher, 1006), BM_CLICK, 0, 0);
    ASSERT_TRUE(program.WaitForExit(20000));
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_EQ(0u, program.ExitCode());
}

TEST_F(LauncherViewTest, EscapeEndsTheProgramLikeClose) {
    StartOnPage();
    // Posted to the dialog: the message loop's dialog keyboard handling sees it.
    PostMessageA(launcher, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(launcher, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    ASSERT_TRUE(program.WaitForExit(20000));
    EXPECT_EQ(0u, program.ExitCode());
}

TEST_F(LauncherViewTest, MinimiseMinimisesTheMainWindowEnterDoesNothing) {
    StartOnPage();
    PostMessageA(launcher, WM_COMMAND, IDOK, 0);  // what Enter becomes in a dialog
    // The click is handled after the Enter: once it has shown, so would have
    // an Enter that ended or hid the launcher.
    PostMessageA(GetDlgItem(launcher, 1007), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(mainWindow) != FALSE; }, 20000));
    EXPECT_TRUE(program.Running());
    // Hiding the owned launcher along with it is the system's part: Windows
    // does it, Wine without a window manager leaves owned windows shown.
    EXPECT_TRUE(IsWindowVisible(launcher));
    EXPECT_FALSE(IsIconic(launcher));
}

TEST_F(LauncherViewTest, LinkButtonsOpenTheirAddressesAsStored) {
    LinkCapture capture(LinkCaptureScript(), WindowsPath(LinkCaptureScript() + ".captured"));
    StartOnPage();
    const int order[] = {1010, 1009, 1008, 1011};
    // One at a time: the shell's browser processes may finish in any order.
    for (size_t i = 0; i < 4; ++i) {
        PostMessageA(GetDlgItem(launcher, order[i]), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return capture.Addresses().size() > i; }, 10000)) << "button " << order[i];
    }
    const std::vector<std::string> expected = {
        "http://forum.example/bbs?a=1&b=2", "http://service.example/", "http://home.example/",
        "http://pay.example/pay.php?sid=[server]&name=[user]"};
    EXPECT_EQ(expected, capture.Addresses());
}

TEST_F(LauncherViewTest, AnEmptyLinkOpensNothing) {
    LinkCapture capture(LinkCaptureScript(), WindowsPath(LinkCaptureScript() + ".captured"));
    Serve("/launcher.html", Page("news", "<p>news</p>"));
    WriteConfig("/launcher.html", {{"bbsAddr", ""}, {"homeAddr", "http://home.example/"}});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForLauncher());
    // On Windows the shell would open a folder window for an empty address.
    const size_t windowsBefore = VisibleTopLevelWindows();
    PostMessageA(GetDlgItem(launcher, 1010), BM_CLICK, 0, 0);  // bbsAddr empty
    PostMessageA(GetDlgItem(launcher, 1009), BM_CLICK, 0, 0);  // serviceAddr missing
    PostMessageA(GetDlgItem(launcher, 1008), BM_CLICK, 0, 0);  // a real one, to know the clicks ran
    ASSERT_TRUE(WaitUntil([&] { return !capture.Addresses().empty(); }, 10000));
    // A second real one, opened only after the first arrived: anything the
    // empty clicks started has had a whole opening's time to show itself.
    PostMessageA(GetDlgItem(launcher, 1008), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return capture.Addresses().size() >= 2; }, 10000));
    EXPECT_EQ((std::vector<std::string>{"http://home.example/", "http://home.example/"}), capture.Addresses());
    EXPECT_EQ(windowsBefore, VisibleTopLevelWindows());
}

}  // namespace
}  // namespace e2e
