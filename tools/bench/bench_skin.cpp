// The skin's costs, printed in one run (a benchmark, not a test):
//   caption repaint when the pointer moves from one caption button to another
//   and when nothing changed (a frame paint), next to
//   a plain BitBlt of a caption-sized block; CreateRegion of 2500 by 32 and
//   1920 by 1080 bitmaps per pixel; GDI and USER object counts around 1,000
//   hover, resize, maximise and restore cycles.
// Usage: bench_skin [cycles]   (the skin bitmaps are linked in as resources)
#include "skin/skin_win.h"

#include "gui_objects.h"

#include <cstdio>
#include <cstdlib>

namespace {

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

template <class F>
double MicrosecondsPer(int rounds, F body) {
    const double start = Now();
    for (int i = 0; i < rounds; ++i) body(i);
    GdiFlush();
    return (Now() - start) * 1e6 / rounds;
}

class NoOwner : public CSkinOwner {
public:
    void ShowGameMenu() override {}
    void HideToTray() override {}
    bool ConfirmClose() override { return false; }
    int RechargeServerId() const override { return 0; }
    std::string RechargeUserName() const override { return {}; }
};

double RegionNanosecondsPerPixel(int width, int height, int rounds) {
    ScopedWindowDC screen(nullptr);
    CMyBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screen.get(), width, height);
    {
        // Stripes of key and colour: many runs per row.
        ScopedMemoryDC memory(screen.get());
        ScopedSelection selected(memory.get(), bitmap.GetSafeHandle());
        for (int x = 0; x < width; x += 8) {
            ScopedBrush brush(CreateSolidBrush((x / 8) % 2 ? RGB(255, 0, 255) : RGB(10, 20, 30)));
            RECT r = {x, 0, x + 8, height};
            FillRect(memory.get(), &r, brush.get());
        }
    }
    const double us = MicrosecondsPer(rounds, [&](int) { ScopedRegion region(bitmap.CreateRegion(RGB(255, 0, 255))); });
    return us * 1000.0 / (static_cast<double>(width) * height);
}

}  // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkinBench";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "SkinBench", "Halden 《Arvendel》 bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  1280, 800, nullptr, nullptr, wc.hInstance, nullptr);
    NoOwner owner;
    CSkinWin skin(&owner);
    skin.PrepareSkin();
    skin.ApplyToHandle(window);
    skin.PaintFrame();

    const int rounds = 300;
    const double unchanged = MicrosecondsPer(rounds, [&](int) { skin.PaintFrame(); });
    // The pointer moving between two caption buttons, as the system reports
    // it: a hit test, then the move with its result.
    RECT rc = {};
    GetWindowRect(window, &rc);
    const RECT close = skin.m_sbClose.GetPlacedRect(rc), maximise = skin.m_sbMaximize.GetPlacedRect(rc);
    const auto centre = [&](const RECT& r) {
        return POINT{rc.left + (r.left + r.right) / 2, rc.top + (r.top + r.bottom) / 2};
    };
    const POINT over[2] = {centre(close), centre(maximise)};
    const double hover = MicrosecondsPer(rounds, [&](int i) {
        const LPARAM at = MAKELPARAM(over[i % 2].x, over[i % 2].y);
        const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, at);
        SendMessageA(window, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), at);
    });
    SendMessageA(window, WM_NCMOUSEMOVE, HTCLIENT, MAKELPARAM(rc.left + 400, rc.top + 400));
    skin.m_nHoverCode = 0;
    double blit;
    {
        ScopedWindowDC dc = ScopedWindowDC::WholeWindow(window);
        ScopedMemoryDC memory(dc.get());
        ScopedBitmap block(CreateCompatibleBitmap(dc.get(), 1280, 32));
        ScopedSelection selected(memory.get(), block.get());
        blit = MicrosecondsPer(rounds, [&](int) { BitBlt(dc.get(), 0, 0, 1280, 32, memory.get(), 0, 0, SRCCOPY); });
    }
    std::printf("caption repaint, hover changed:  %8.1f us  (%.1f x a plain BitBlt)\n", hover, hover / blit);
    std::printf("caption repaint, nothing changed: %8.1f us  (%.1f x a plain BitBlt)\n", unchanged, unchanged / blit);
    std::printf("plain BitBlt of 1280 x 32:        %8.1f us\n", blit);
    std::printf("CreateRegion 2500 x 32:    %6.2f ns per pixel\n", RegionNanosecondsPerPixel(2500, 32, 20));
    std::printf("CreateRegion 1920 x 1080:  %6.2f ns per pixel\n", RegionNanosecondsPerPixel(1920, 1080, 2));

    const auto cycle = [&](int i) {
        RECT rc = {};
        GetWindowRect(window, &rc);
        const int x = rc.left + 1250 - (i % 9) * 40, y = rc.top + 10;
        const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
        SendMessageA(window, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), MAKELPARAM(x, y));
        SetWindowPos(window, nullptr, 0, 0, 1000 + i % 200, 700, SWP_NOZORDER);
        skin.MaximizeToWorkArea();
        skin.RestoreWindow();
    };
    cycle(0);  // the skin's copies made once (the restore button's first shows maximised)
    const support::GuiObjects before = support::CountGuiObjects();
    const double start = Now();
    for (int i = 0; i < cycles; ++i) cycle(i);
    const support::GuiObjects after = support::CountGuiObjects();
    std::printf("%d hover/resize/maximise/restore cycles in %.1f s\n", cycles, Now() - start);
    std::printf("GDI objects: %lu before, %lu after; USER objects: %lu before, %lu after%s\n", before.gdi, after.gdi,
                before.user, after.user, before.user == 0 ? " (this platform does not count USER objects)" : "");
    DestroyWindow(window);
    return 0;
}
