// The launcher-phase main window run for real from template 102 with the
// shipped background picture: placement, layering, the launcher following it,
// the minimum tracking size, and neither Enter nor Escape ending it.
#include "app/main_window_geometry.h"
#include "app/vorn_login_app.h"
#include "app/vorn_login_dlg.h"
#include "skin/resource_image.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// What a check during the modal run sees.
std::function<void(CVorn_LoginDlg&)> g_during;
CVorn_LoginDlg* g_dialog = nullptr;
bool g_ran = false;

void CALLBACK RunCheck(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_ran = true;
    if (g_during) g_during(*g_dialog);
    ::PostMessageA(g_dialog->m_hWnd, WM_CLOSE, 0, 0);
}

// Runs the main window modally; during() runs once inside its message loop.
// True when it did run: a DoModal that fails runs no check at all.
bool RunMainWindow(CVorn_LoginDlg& dlg, std::function<void(CVorn_LoginDlg&)> during,
                   INT_PTR* result = nullptr) {
    g_during = std::move(during);
    g_dialog = &dlg;
    g_ran = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 200, RunCheck);
    INT_PTR ended = dlg.DoModal();
    if (!g_ran) KillTimer(nullptr, timer);
    g_during = nullptr;
    g_dialog = nullptr;
    if (result) *result = ended;
    return g_ran;
}

// Handles this thread's pending messages.
void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        AfxPumpMessage(msg);
    }
}

RECT WindowRect(HWND hwnd) {
    RECT rc = {};
    GetWindowRect(hwnd, &rc);
    return rc;
}

class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        theApp.m_hInstance = GetModuleHandleA(nullptr);
        AfxEnableControlContainer();
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&s_token, &input, nullptr);
        theApp.m_blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        theApp.m_pBackImage = LoadResourceImage(IDB_BACKGROUND, "PNG");
        theApp.m_nBackWidth = theApp.m_pBackImage->GetWidth();
        theApp.m_nBackHeight = theApp.m_pBackImage->GetHeight();
    }
    static void TearDownTestSuite() {
        theApp.m_pBackImage.reset();
        Gdiplus::GdiplusShutdown(s_token);
    }
    void TearDown() override { theApp.m_pWebDlg = nullptr; }

    static ULONG_PTR s_token;
};
ULONG_PTR MainWindow::s_token = 0;

}  // namespace

TEST_F(MainWindow, ShippedBackgroundIs980By650WithAlpha) {
    ASSERT_EQ(Gdiplus::Ok, theApp.m_pBackImage->GetLastStatus());
    EXPECT_EQ(980u, theApp.m_nBackWidth);
    EXPECT_EQ(650u, theApp.m_nBackHeight);
    EXPECT_TRUE(Gdiplus::IsAlphaPixelFormat(theApp.m_pBackImage->GetPixelFormat()));
}

TEST_F(MainWindow, IsABorderlessLayeredPictureCentredByItsClientSize) {
    CVorn_LoginDlg dlg;
    INT_PTR result = 0;
    EXPECT_TRUE(RunMainWindow(dlg, [&](CVorn_LoginDlg& w) {
        HWND hwnd = w.GetSafeHwnd();
        EXPECT_TRUE(IsWindowVisible(hwnd));
        EXPECT_FALSE((w.GetStyle() & WS_CAPTION) == WS_CAPTION);
        EXPECT_TRUE(w.GetStyle() & WS_POPUP);
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
        EXPECT_TRUE(exStyle & WS_EX_LAYERED);
        EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);

        // The frame left by the template makes the client area smaller than
        // the picture; the centring uses that smaller size, so the window
        // sits half the difference right of and below the true centre.
        RECT framed = {0, 0, 980, 650};
        AdjustWindowRectEx(&framed, w.GetStyle() & ~WS_VISIBLE, FALSE, exStyle & ~WS_EX_LAYERED);
        const LONG frameX = (framed.right - framed.left - 980) / 2;
        const LONG frameY = (framed.bottom - framed.top - 650) / 2;
        RECT work = {};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        RECT rc = WindowRect(hwnd);
        EXPECT_EQ(work.left + (work.right - work.left - 980) / 2 + frameX, rc.left);
        EXPECT_EQ(work.top + (work.bottom - work.top - 650) / 2 + frameY, rc.top);
        EXPECT_EQ(980, rc.right - rc.left);
        EXPECT_EQ(650, rc.bottom - rc.top);

        // Its own browser is bound but never seen in this phase.
        EXPECT_NE(nullptr, w.m_explorer.GetSafeHwnd());
    }, &result));
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(MainWindow, EnterNeverEndsIt) {
    CVorn_LoginDlg dlg;
    INT_PTR result = 0;
    EXPECT_TRUE(RunMainWindow(dlg, [&](CVorn_LoginDlg& w) {
        HWND focus = GetFocus() ? GetFocus() : w.GetSafeHwnd();
        for (HWND target : {w.GetSafeHwnd(), focus}) {
            PostMessageA(target, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            PostMessageA(target, WM_KEYUP, VK_RETURN, 0xC01C0001);
        }
        w.SendMessage(WM_COMMAND, IDOK, 0);
        Pump();
    }, &result));
    // Only the WM_CLOSE that follows the keys ends the run.
    EXPECT_EQ(IDCANCEL, result);
}

// Counts the cancels that reach the main window.
class CountingMainWindow : public CVorn_LoginDlg {
public:
    int cancels = 0;
protected:
    void OnCancel() override { ++cancels; CVorn_LoginDlg::OnCancel(); }
};

TEST_F(MainWindow, EscapeIsLeftToTheFocusedWindowAndNeverCancels) {
    CountingMainWindow dlg;
    int cancelsAfterKeys = -1;
    EXPECT_TRUE(RunMainWindow(dlg, [&](CVorn_LoginDlg& w) {
        HWND focus = GetFocus() ? GetFocus() : w.GetSafeHwnd();
        for (HWND target : {w.GetSafeHwnd(), focus, w.m_explorer.GetSafeHwnd()}) {
            PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        }
        Pump();
        cancelsAfterKeys = dlg.cancels;
    }));
    EXPECT_EQ(0, cancelsAfterKeys);
    // The WM_CLOSE that ends the run is the one cancel.
    EXPECT_EQ(1, dlg.cancels);
}

TEST_F(MainWindow, RaisesTheMinimumTrackingSize) {
    CVorn_LoginDlg dlg;
    EXPECT_TRUE(RunMainWindow(dlg, [&](CVorn_LoginDlg& w) {
        MINMAXINFO small = {};
        small.ptMinTrackSize = {100, 100};
        w.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&small));
        EXPECT_EQ(958, small.ptMinTrackSize.x);
        EXPECT_EQ(576, small.ptMinTrackSize.y);
        MINMAXINFO large = {};
        large.ptMinTrackSize = {1000, 700};
        w.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&large));
        EXPECT_EQ(1000, large.ptMinTrackSize.x);
        EXPECT_EQ(700, large.ptMinTrackSize.y);
    }));
}

TEST_F(MainWindow, LauncherIsPlacedOverItAndFollowsItsMoves) {
    CVorn_LoginDlg dlg;
    EXPECT_TRUE(RunMainWindow(dlg, [&](CVorn_LoginDlg& w) {
        // The launcher dialog that the main window's initialisation created and placed.
        ASSERT_NE(nullptr, theApp.m_pWebDlg);
        CDialogEx& launcher = *theApp.m_pWebDlg;
        RECT main = WindowRect(w.GetSafeHwnd());
        RECT placed = WindowRect(launcher.GetSafeHwnd());
        EXPECT_TRUE(::IsWindowVisible(launcher.m_hWnd));
        EXPECT_EQ(main.left + 3, placed.left);
        EXPECT_EQ(main.top, placed.top);
        EXPECT_EQ(980, placed.right - placed.left);
        EXPECT_EQ(650, placed.bottom - placed.top);

        w.MoveWindow(200, 100, 980, 650, TRUE);
        Pump();
        POINT client = {0, 0};
        ClientToScreen(w.GetSafeHwnd(), &client);
        RECT followed = WindowRect(launcher.GetSafeHwnd());
        EXPECT_EQ(client.x, followed.left);
        EXPECT_EQ(client.y - 3, followed.top);
        EXPECT_EQ(980, followed.right - followed.left);
    }));
}

TEST_F(MainWindow, PictureThatCannotBeDecodedGivesWindowsOfSizeZero) {
    auto shipped = std::move(theApp.m_pBackImage);
    theApp.m_pBackImage = LoadResourceImage(7999, "PNG");
    theApp.m_nBackWidth = theApp.m_pBackImage->GetWidth();
    theApp.m_nBackHeight = theApp.m_pBackImage->GetHeight();
    CVorn_LoginDlg dlg;
    EXPECT_TRUE(RunMainWindow(dlg, [&](CVorn_LoginDlg& w) {
        RECT rc = WindowRect(w.GetSafeHwnd());
        EXPECT_EQ(0, rc.right - rc.left);
        EXPECT_EQ(0, rc.bottom - rc.top);
    }));
    theApp.m_pBackImage = std::move(shipped);
    theApp.m_nBackWidth = theApp.m_pBackImage->GetWidth();
    theApp.m_nBackHeight = theApp.m_pBackImage->GetHeight();
}

TEST_F(MainWindow, ShowsTheProgramIconAndLeavesItsBrowserAloneWhenSized) {
    CVorn_LoginDlg dlg;
    ASSERT_NE(nullptr, dlg.m_hIcon);
    EXPECT_TRUE(RunMainWindow(dlg, [&](CVorn_LoginDlg& w) {
        const auto icon = reinterpret_cast<LRESULT>(w.m_hIcon);
        EXPECT_EQ(icon, w.SendMessage(WM_GETICON, ICON_BIG, 0));
        EXPECT_EQ(icon, w.SendMessage(WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(icon, w.SendMessage(WM_QUERYDRAGICON, 0, 0));

        // Before the game phase a resize does not fit the browser to the window.
        RECT before = WindowRect(w.m_explorer.GetSafeHwnd());
        w.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(1200, 800));
        RECT after = WindowRect(w.m_explorer.GetSafeHwnd());
        EXPECT_TRUE(EqualRect(&before, &after));
        EXPECT_LT(after.right - after.left, 980);
    }));
}

namespace {

// The items of the popup menu the thread shows now, read from inside its loop.
std::vector<std::pair<UINT, std::string>> g_menuItems;

void CALLBACK ReadShownMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) return;  // not yet: the timer comes again
    KillTimer(nullptr, id);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        EXPECT_EQ(0u, state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)) << text;
        g_menuItems.emplace_back(GetMenuItemID(menu, i), text);
    }
    EndMenu();
}

}  // namespace

TEST_F(MainWindow, GameMenuOffersRefreshClearCacheAndBossKey) {
    CVorn_LoginDlg dlg;
    g_menuItems.clear();
    RunMainWindow(dlg, [&](CVorn_LoginDlg& w) {
        SetTimer(nullptr, 0, 100, ReadShownMenu);
        w.ShowGameMenu();  // returns when the menu closes
    });
    const std::vector<std::pair<UINT, std::string>> expected = {
        {10000, "刷新(F5)"}, {10001, "清理缓存"}, {10002, "老板键(F11)"}};
    EXPECT_EQ(expected, g_menuItems);
}
