// The layered background: premultiplied pixels in the composition, and a
// window that becomes layered without moving.
#include "skin/layered_image.h"
#include "skin/resource_image.h"

#include "gdiplus_session.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr BLENDFUNCTION kBlend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

// Each channel within one step of the expected value: GDI+ rounds its own way.
::testing::AssertionResult NearPixel(uint32_t expected, uint32_t actual) {
    for (int shift = 0; shift < 32; shift += 8) {
        int e = (expected >> shift) & 0xFF, a = (actual >> shift) & 0xFF;
        if (std::abs(e - a) > 1) {
            char text[64];
            snprintf(text, sizeof text, "expected %08X, got %08X", unsigned(expected), unsigned(actual));
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

class TestWindow {
public:
    TestWindow(int x, int y, int w, int h, DWORD exStyle = WS_EX_TOOLWINDOW) {
        m_hWnd = CreateWindowExA(exStyle, "STATIC", "", WS_POPUP, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
    }
    ~TestWindow() { DestroyWindow(m_hWnd); }
    HWND get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

// A window class painted black, to show the layered pixels over.
HWND CreateBlackWindow(int x, int y, int w, int h) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "VornTestBlack";
    RegisterClassA(&wc);
    return CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr,
                           nullptr, nullptr, nullptr);
}

void PumpFor(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
}

class LayeredImage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_gdiplus.ok());
        m_picture = LoadResourceImage(7001, "PNG");
        ASSERT_EQ(8u, m_picture->GetWidth());
    }

    GdiplusSession m_gdiplus;
    std::unique_ptr<Gdiplus::Image> m_picture;
};

}  // namespace

TEST_F(LayeredImage, CompositionHoldsPremultipliedPixelsTopRowFirst) {
    ScopedWindowDC screen(nullptr);
    ScopedMemoryDC memory(screen.get());
    CCompositionBuffer buffer(screen.get(), 8, 4);
    ASSERT_TRUE(buffer.ok());
    ComposeLayeredPicture(*m_picture, 8, 4, memory.get(), buffer);

    // The picture's straight colours (make_test_pictures.py), premultiplied by hand.
    const uint32_t top[] = {0xFFFF0000u, 0x80008000u, 0x00000000u, 0x40404040u};
    const uint32_t bottom[] = {0xFFFFFF00u, 0xFF0080FFu, 0xC8081018u, 0x01010000u};
    for (UINT x = 0; x < 8; ++x) {
        EXPECT_TRUE(NearPixel(top[x / 2], buffer.Pixel(x, 0))) << "top x=" << x;
        EXPECT_TRUE(NearPixel(top[x / 2], buffer.Pixel(x, 1))) << "top x=" << x;
        EXPECT_TRUE(NearPixel(bottom[x / 2], buffer.Pixel(x, 2))) << "bottom x=" << x;
        EXPECT_TRUE(NearPixel(bottom[x / 2], buffer.Pixel(x, 3))) << "bottom x=" << x;
    }
}

TEST_F(LayeredImage, CompositionScalesThePictureToTheGivenSize) {
    ScopedWindowDC screen(nullptr);
    ScopedMemoryDC memory(screen.get());
    CCompositionBuffer buffer(screen.get(), 16, 8);
    ComposeLayeredPicture(*m_picture, 16, 8, memory.get(), buffer);
    // Scaling goes through a GDI+ draw, which premultiplies on its own.
    EXPECT_TRUE(NearPixel(0xFFFF0000u, buffer.Pixel(1, 1)));
    EXPECT_TRUE(NearPixel(0x80008000u, buffer.Pixel(5, 2)));
    // Away from the edges, where scaling blends with the outside.
    EXPECT_TRUE(NearPixel(0xFFFFFF00u, buffer.Pixel(2, 6)));
    EXPECT_TRUE(NearPixel(0x00000000u, buffer.Pixel(9, 2)));
}

TEST_F(LayeredImage, WindowBecomesLayeredWhereItIsWithThePictureSize) {
    TestWindow window(123, 77, 50, 30);
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    ShowLayeredImage(*m_picture, 8, 4, window.get(), kBlend);

    LONG exStyle = GetWindowLongA(window.get(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    RECT rc;
    GetWindowRect(window.get(), &rc);
    EXPECT_EQ(123, rc.left);
    EXPECT_EQ(77, rc.top);
    EXPECT_EQ(8, rc.right - rc.left);
    EXPECT_EQ(4, rc.bottom - rc.top);
}

TEST_F(LayeredImage, SecondCallOnALayeredWindowKeepsStyleAndPlace) {
    TestWindow window(40, 50, 8, 4, WS_EX_TOOLWINDOW | WS_EX_LAYERED);
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    ShowLayeredImage(*m_picture, 8, 4, window.get(), kBlend);
    SetWindowPos(window.get(), nullptr, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LONG before = GetWindowLongA(window.get(), GWL_EXSTYLE);
    ShowLayeredImage(*m_picture, 16, 8, window.get(), kBlend);
    EXPECT_EQ(before, GetWindowLongA(window.get(), GWL_EXSTYLE));
    RECT rc;
    GetWindowRect(window.get(), &rc);
    EXPECT_EQ(60, rc.left);
    EXPECT_EQ(70, rc.top);
    EXPECT_EQ(16, rc.right - rc.left);
}

TEST_F(LayeredImage, PictureOfSizeZeroLeavesALayeredWindowShowingNothing) {
    auto missing = LoadResourceImage(7999, "PNG");
    TestWindow window(10, 10, 20, 20);
    ShowLayeredImage(*missing, missing->GetWidth(), missing->GetHeight(), window.get(), kBlend);
    EXPECT_TRUE(GetWindowLongA(window.get(), GWL_EXSTYLE) & WS_EX_LAYERED);
    RECT rc;
    GetWindowRect(window.get(), &rc);
    EXPECT_EQ(10, rc.left);
}

TEST_F(LayeredImage, ScreenShowsThePictureBlendedOverTheWindowBelow) {
    HWND below = CreateBlackWindow(280, 280, 60, 60);
    TestWindow window(300, 300, 8, 4);
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    ShowLayeredImage(*m_picture, 8, 4, window.get(), kBlend);

    ScopedWindowDC screen(nullptr);
    auto at = [&](int x, int y) { return GetPixel(screen.get(), 300 + x, 300 + y); };
    auto matches = [](COLORREF expected, COLORREF actual) {
        return std::abs(GetRValue(expected) - GetRValue(actual)) <= 2 &&
               std::abs(GetGValue(expected) - GetGValue(actual)) <= 2 &&
               std::abs(GetBValue(expected) - GetBValue(actual)) <= 2;
    };
    // The compositor blends in its own time: wait for the first and last pixel.
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
        PumpFor(50);
        if (matches(RGB(255, 0, 0), at(0, 0)) && matches(RGB(255, 255, 0), at(0, 3))) break;
    }
    // Opaque red as it is; half-transparent green and quarter-transparent
    // white at half and a quarter of their colour over black; alpha 0 lets
    // the black window show.
    EXPECT_TRUE(matches(RGB(255, 0, 0), at(0, 0))) << std::hex << at(0, 0);
    EXPECT_TRUE(matches(RGB(0, 128, 0), at(3, 1))) << std::hex << at(3, 1);
    EXPECT_TRUE(matches(RGB(0, 0, 0), at(4, 0))) << std::hex << at(4, 0);
    EXPECT_TRUE(matches(RGB(64, 64, 64), at(7, 1))) << std::hex << at(7, 1);
    EXPECT_TRUE(matches(RGB(255, 255, 0), at(0, 3))) << std::hex << at(0, 3);
    DestroyWindow(below);
}
