// CSkinWin on a real 1280 by 800 window under Wine, with the program's own
// skin bitmaps (linked in as resources): layout, hit codes, window commands,
// limits, the caption buttons' calls, the painted frame by pixel, and flat
// GDI and USER object counts over many cycles.
#include "skin/skin_win.h"

#include "gui_objects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

class FakeOwner : public CSkinOwner {
public:
    void ShowGameMenu() override { ++menus; }
    void HideToTray() override { ++trays; }
    bool ConfirmClose() override { ++confirms; return confirm; }
    int RechargeServerId() const override { return 12; }
    std::string RechargeUserName() const override { return "alice"; }
    int menus = 0, trays = 0, confirms = 0;
    bool confirm = false;
};

POINT Screen(HWND window, int x, int y) {
    RECT rc = {};
    GetWindowRect(window, &rc);
    return POINT{rc.left + x, rc.top + y};
}

LRESULT HitAt(HWND window, int x, int y) {
    const POINT p = Screen(window, x, y);
    return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
}

RECT WindowRect(HWND window) {
    RECT rc = {};
    GetWindowRect(window, &rc);
    return rc;
}

class SkinWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = "SkinTestWindow";
        RegisterClassA(&wc);
    }
    void SetUp() override {
        window = CreateWindowExA(0, "SkinTestWindow", "Halden skin test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 1280, 800, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(skin.PrepareSkin());
        ASSERT_TRUE(skin.ApplyToHandle(window));
        SetWindowPos(window, nullptr, 0, 0, 1280, 800, SWP_NOZORDER | SWP_FRAMECHANGED);
        Pump();
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }

    FakeOwner owner;
    CSkinWin skin{&owner};
    HWND window = nullptr;
};

TEST_F(SkinWindow, LaysOutTheShippedImagesAndShrinksTheClientArea) {
    EXPECT_EQ(32, skin.m_nCaptionHeight);
    EXPECT_EQ(7, skin.m_nLeftWidth);
    EXPECT_EQ(7, skin.m_nRightWidth);
    EXPECT_EQ(7, skin.m_nBottomHeight);
    ASSERT_EQ(9u, skin.m_buttons.size());
    EXPECT_EQ(&skin.m_sbClose, skin.m_buttons[0]);
    EXPECT_EQ(&skin.m_sbHome, skin.m_buttons[8]);
    EXPECT_EQ(4, skin.m_sbClose.m_rcPlace.left);
    EXPECT_EQ(46, skin.m_sbClose.m_rcPlace.right);
    EXPECT_EQ(27, skin.m_sbClose.m_rcPlace.bottom);
    EXPECT_EQ(271, skin.m_sbHome.m_rcPlace.left);
    EXPECT_EQ(0, GetWindowLongPtrA(window, GWL_STYLE) & WS_SYSMENU);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(1266, client.right);
    EXPECT_EQ(761, client.bottom);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(7, origin.x);
    EXPECT_EQ(32, origin.y);
}

TEST_F(SkinWindow, AnswersTheHitTestAtTheCaptionsPoints) {
    EXPECT_EQ(HTCLOSE, HitAt(window, 1250, 10));
    EXPECT_EQ(HTMAXBUTTON, HitAt(window, 1210, 10));
    EXPECT_EQ(1, skin.m_sbRestore.m_nState);  // marked though not drawn
    EXPECT_EQ(0, skin.m_sbClose.m_nState);
    EXPECT_EQ(104, HitAt(window, 1000, 10));
    EXPECT_EQ(HTCAPTION, HitAt(window, 900, 10));
    EXPECT_EQ(HTSYSMENU, HitAt(window, 20, 10));
    EXPECT_EQ(HTTOP, HitAt(window, 500, 3));
    EXPECT_EQ(HTBOTTOMRIGHT, HitAt(window, 1278, 798));
    EXPECT_EQ(HTCLIENT, HitAt(window, 500, 400));
    skin.MaximizeToWorkArea();
    EXPECT_EQ(HTCLIENT, HitAt(window, 500, 3));  // no resize zones while maximised
    EXPECT_EQ(HTCLOSE, HitAt(window, WindowRect(window).right - WindowRect(window).left - 30, 10));
}

TEST_F(SkinWindow, MaximisesIntoTheWorkAreaRestoresAndMinimises) {
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    skin.MaximizeToWorkArea();
    EXPECT_EQ(CSkinWin::kMaximised, skin.m_nWindowState);
    RECT rc = WindowRect(window);
    EXPECT_TRUE(EqualRect(&rc, &work));
    EXPECT_FALSE(IsZoomed(window)) << "not the system's maximised state";

    skin.RestoreWindow();
    rc = WindowRect(window);
    const RECT restored = {0, 0, 1280, 800};
    EXPECT_TRUE(EqualRect(&rc, &restored));
    EXPECT_EQ(CSkinWin::kNormal, skin.m_nWindowState);

    // Minimised from maximised, back to maximised from the taskbar.
    skin.MaximizeToWorkArea();
    skin.PaintFrame();  // a paint notes the state to return to
    skin.MinimizeWindow();
    EXPECT_TRUE(IsIconic(window));
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(CSkinWin::kMaximised, skin.m_nWindowState);
    rc = WindowRect(window);
    EXPECT_TRUE(EqualRect(&rc, &work));

    // The maximise button and the caption double-click toggle.
    SendMessageA(window, WM_NCLBUTTONUP, HTMAXBUTTON, 0);
    EXPECT_EQ(CSkinWin::kNormal, skin.m_nWindowState);
    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_EQ(CSkinWin::kMaximised, skin.m_nWindowState);
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(CSkinWin::kNormal, skin.m_nWindowState);
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);  // in state 0: passed on, nothing changes
    EXPECT_EQ(CSkinWin::kNormal, skin.m_nWindowState);

    // Restored from maximised, then minimised: back to normal, not maximised.
    skin.MinimizeWindow();
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(CSkinWin::kNormal, skin.m_nWindowState);
}

TEST_F(SkinWindow, ActivationAndTitle) {
    EXPECT_EQ(1, SendMessageA(window, WM_NCACTIVATE, 0, 0));
    EXPECT_EQ(0, SendMessageA(window, WM_NCACTIVATE, 1, 0));
    SetWindowTextA(window, "new title");
    EXPECT_EQ("new title", skin.m_strTitle);
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ("new title", text);
}

TEST_F(SkinWindow, CaptionButtonsCallTheWindowThatWearsTheSkin) {
    SendMessageA(window, WM_NCLBUTTONUP, 101, 0);
    EXPECT_EQ(1, owner.trays);
    SendMessageA(window, WM_NCLBUTTONUP, 100, 0);
    EXPECT_EQ(1, owner.menus);
    SendMessageA(window, WM_NCLBUTTONUP, HTCLOSE, 0);  // cancelled: the game goes on
    EXPECT_EQ(1, owner.confirms);
    EXPECT_TRUE(IsWindow(window));
    SendMessageA(window, WM_NCLBUTTONUP, HTMINBUTTON, 0);
    EXPECT_TRUE(IsIconic(window));
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(window));
    owner.confirm = true;
    SendMessageA(window, WM_NCLBUTTONUP, HTCLOSE, 0);
    EXPECT_FALSE(IsWindow(window)) << "confirmed: WM_CLOSE reached the window";
    EXPECT_FALSE(skin.IsInstalled());
}

// What reached the window's own procedure past the skin.
int g_captionPresses = 0;
WPARAM g_lastSysCommand = 0;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCLBUTTONDOWN) {
        ++g_captionPresses;  // the system's move loop would start here
        return 0;
    }
    if (message == WM_SYSCOMMAND) {
        g_lastSysCommand = wParam;
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

TEST(SkinWindowMoves, CaptionDragsOnlyWhenNotMaximisedAndOtherMenuCommandsReachTheWindow) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkinRecordingWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "moves", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1280, 800,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    FakeOwner owner;
    CSkinWin skin(&owner);
    skin.PrepareSkin();
    skin.ApplyToHandle(window);
    skin.MaximizeToWorkArea();
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    EXPECT_EQ(0, g_captionPresses) << "a maximised window is not dragged";
    skin.RestoreWindow();
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    EXPECT_EQ(1, g_captionPresses);
    SendMessageA(window, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, 0);
    EXPECT_EQ(2, g_captionPresses) << "sizing from a corner";
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCLOSE, 0);
    EXPECT_EQ(2, g_captionPresses) << "buttons act on release, never in the system's loop";

    // System-menu commands other than maximise, minimise and restore.
    SendMessageA(window, WM_COMMAND, SC_CLOSE, 0);
    EXPECT_EQ(static_cast<WPARAM>(SC_CLOSE), g_lastSysCommand);
    EXPECT_TRUE(IsWindow(window));
    SendMessageA(window, WM_COMMAND, SC_MAXIMIZE, 0);
    EXPECT_EQ(CSkinWin::kMaximised, skin.m_nWindowState);
    DestroyWindow(window);
    EXPECT_FALSE(skin.IsInstalled());
}

// The pixel of a bitmap at (x, y).
COLORREF BitmapPixel(const CMyBitmap& bitmap, int x, int y) {
    ScopedMemoryDC memory(nullptr);
    ScopedSelection selected(memory.get(), bitmap.GetSafeHandle());
    return GetPixel(memory.get(), x, y);
}

TEST_F(SkinWindow, PaintsTheFrameFromItsBitmaps) {
    SetForegroundWindow(window);
    skin.PaintFrame();
    ScopedWindowDC dc = ScopedWindowDC::WholeWindow(window);
    // Left border: the rows above the tile, the tile repeated from y 32, the bottom piece.
    EXPECT_EQ(BitmapPixel(skin.m_bmpLeft, 3, 10), GetPixel(dc.get(), 3, 10));
    EXPECT_EQ(BitmapPixel(skin.m_bmpLeft, 2, 32 + (400 - 32) % 7), GetPixel(dc.get(), 2, 400));
    EXPECT_EQ(BitmapPixel(skin.m_bmpLeft, 4, 43), GetPixel(dc.get(), 4, 797));
    EXPECT_EQ(BitmapPixel(skin.m_bmpRight, 5, 35), GetPixel(dc.get(), 1280 - 7 + 5, 32 + 3 + 7 * 20));
    // The bottom strip is one image row stretched: its colour at x 600.
    const COLORREF bottom = GetPixel(dc.get(), 600, 796);
    bool found = false;
    for (int x = 0; x < skin.m_bmpBottom.Width(); ++x) found |= BitmapPixel(skin.m_bmpBottom, x, 3) == bottom;
    EXPECT_TRUE(found);
    // The close button's frame 0 at its place, magenta left out (the strip shows there).
    int opaque = 0, keyed = 0;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 42; ++x) {
            const COLORREF image = BitmapPixel(skin.m_sbClose, x, y);
            const COLORREF shown = GetPixel(dc.get(), 1234 + x, 4 + y);
            if (image == RGB(255, 0, 255)) {
                EXPECT_NE(RGB(255, 0, 255), shown);
                ++keyed;
            } else {
                EXPECT_EQ(image, shown) << x << "," << y;
                ++opaque;
            }
        }
    }
    EXPECT_GT(opaque, 100);
    EXPECT_GT(keyed, 0);
    // Title text in white within the title rectangle.
    int white = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 30; x < 400; ++x) white += GetPixel(dc.get(), x, y) == RGB(255, 255, 255);
    EXPECT_GT(white, 10);
}

TEST_F(SkinWindow, EachSizeGetsItsFrameDrawnAtThatSize) {
    skin.PaintFrame();
    // Smaller, then larger than before: the border and strip copies follow.
    for (const SIZE size : {SIZE{1000, 700}, SIZE{1200, 760}}) {
        SCOPED_TRACE(size.cx);
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER);
        skin.PaintFrame();
        ScopedWindowDC dc = ScopedWindowDC::WholeWindow(window);
        // The sides' bottom pieces end at the new bottom edge.
        EXPECT_EQ(BitmapPixel(skin.m_bmpLeft, 4, 44), GetPixel(dc.get(), 4, size.cy - 2));
        EXPECT_EQ(BitmapPixel(skin.m_bmpRight, 4, 44), GetPixel(dc.get(), size.cx - 7 + 4, size.cy - 2));
        EXPECT_EQ(BitmapPixel(skin.m_bmpLeft, 4, 32), GetPixel(dc.get(), 4, size.cy - 7 - 7));
        // The bottom strip reaches the right border.
        EXPECT_EQ(BitmapPixel(skin.m_bmpBottom, 0, 5), GetPixel(dc.get(), size.cx - 8, size.cy - 2));
    }
}

// The caption buffer's pixels, width by its height.
std::vector<uint32_t> CaptionPixels(const CSkinWin& skin, int width) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -skin.m_nCaptionHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ScopedBitmap copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ScopedMemoryDC memory(nullptr);
    ScopedSelection selected(memory.get(), copy.get());
    BitBlt(memory.get(), 0, 0, width, skin.m_nCaptionHeight, skin.m_pCaptionDC.get(), 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    return std::vector<uint32_t>(pixels, pixels + static_cast<size_t>(width) * skin.m_nCaptionHeight);
}

TEST_F(SkinWindow, AHoverRedrawsTheButtonsItLeftAndEnteredAsAWholeCaptionWould) {
    const auto moveTo = [&](int x, int y) {
        const POINT p = Screen(window, x, y);
        const LPARAM at = MAKELPARAM(p.x, p.y);
        SendMessageA(window, WM_NCMOUSEMOVE, SendMessageA(window, WM_NCHITTEST, 0, at), at);
    };
    // A title that ends far from the buttons, and one long enough to run
    // under them (they are drawn below it).
    for (const std::string& title : {std::string("Halden"), std::string(300, 'W')}) {
        SCOPED_TRACE(title.size());
        SetWindowTextA(window, title.c_str());
        moveTo(1250, 10);  // over close
        ASSERT_EQ(2, skin.m_sbClose.m_nShownState);
        // A mark where no button is: only a whole caption render paints it over.
        const COLORREF mark = RGB(1, 2, 3);
        SetPixel(skin.m_pCaptionDC.get(), 600, 1, mark);
        moveTo(1210, 10);  // over maximise
        EXPECT_EQ(0, skin.m_sbClose.m_nShownState);
        EXPECT_EQ(2, skin.m_sbMaximize.m_nShownState);
        EXPECT_EQ(mark, GetPixel(skin.m_pCaptionDC.get(), 600, 1)) << "the whole caption was drawn again";
        std::vector<uint32_t> redrawn = CaptionPixels(skin, 1280);

        skin.m_nCaptionWidth = 0;  // the next paint renders the whole caption
        skin.PaintFrame();
        EXPECT_NE(mark, GetPixel(skin.m_pCaptionDC.get(), 600, 1));
        std::vector<uint32_t> whole = CaptionPixels(skin, 1280);
        redrawn[600 + 1 * 1280] = whole[600 + 1 * 1280];
        size_t differ = 0;
        for (size_t i = 0; i < whole.size(); ++i) differ += redrawn[i] != whole[i];
        EXPECT_EQ(0u, differ) << "pixels that differ from a whole render";
        moveTo(600, 400);  // away, into the client area
    }
}

TEST_F(SkinWindow, AWiderWindowGetsAWiderCaptionBuffer) {
    skin.PaintFrame();
    EXPECT_EQ(2500, skin.m_nCaptionBufferWidth);
    SetWindowPos(window, nullptr, -1500, 0, 3840, 800, SWP_NOZORDER);
    skin.PaintFrame();
    EXPECT_EQ(3840, skin.m_nCaptionBufferWidth);
    BITMAP bm = {};
    ASSERT_TRUE(skin.m_bmpCaption.GetBitmap(&bm));
    EXPECT_EQ(3840, bm.bmWidth);
    // The close button is composed at the right end, past x 2500 (off the
    // test display, so read in the buffer).
    const COLORREF image = BitmapPixel(skin.m_sbClose, 20, 12);
    EXPECT_EQ(image, GetPixel(skin.m_pCaptionDC.get(), 3840 - 46 + 20, 4 + 12));
}

TEST_F(SkinWindow, GdiAndUserObjectCountsStayFlat) {
    auto counts = [] { return support::CountGuiObjects(); };
    auto cycle = [&](int i) {
        const POINT over = Screen(window, 1250 - (i % 9) * 40, 10);
        SendMessageA(window, WM_NCMOUSEMOVE, HitAt(window, over.x, over.y), MAKELPARAM(over.x, over.y));
        SetWindowPos(window, nullptr, 0, 0, 1000 + i % 200, 700, SWP_NOZORDER);
        skin.MaximizeToWorkArea();
        skin.RestoreWindow();
        skin.PaintFrame();
    };
    for (int i = 0; i < 5; ++i) cycle(i);  // caches filled
    const auto before = counts();
    const DWORD start = GetTickCount();
    for (int i = 0; i < 50; ++i) cycle(i);
    Pump();
    const auto after = counts();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(CSkinWin::kNormal, skin.m_nWindowState);
    ASSERT_TRUE(before.counted) << "the platform counts GDI objects";
    EXPECT_LE(after.gdi, before.gdi + 2) << "GDI objects";
    EXPECT_LE(after.user, before.user + 2) << "USER objects";
    std::printf("GDI %lu -> %lu, USER %lu -> %lu over 50 cycles, %lu ms\n", before.gdi, after.gdi, before.user,
                after.user, GetTickCount() - start);
}

}  // namespace
