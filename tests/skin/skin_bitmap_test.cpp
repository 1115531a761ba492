// The skin's bitmap classes on real GDI bitmaps: regions of every depth,
// colour-keyed drawing, loading and reloading the program's strips.
#include "skin/skin_bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A width by 2 DIB section of bitCount bits: row 0 magenta but for columns
// [2, 5), row 1 opaque throughout. Low depths use a two-colour table
// (index 0 magenta, 1 dark).
HBITMAP MakeBitmap(int bitCount, int width) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -2;  // top-down, to fill it simply
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitCount);
    info.header.biCompression = BI_RGB;
    info.colours[0] = RGBQUAD{255, 0, 255, 0};
    info.colours[1] = RGBQUAD{30, 20, 10, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    ScopedMemoryDC dc(nullptr);
    ScopedSelection selected(dc.get(), bitmap);
    for (int x = 0; x < width; ++x) {
        SetPixel(dc.get(), x, 0, x >= 2 && x < 5 ? RGB(10, 20, 30) : kMagenta);
        SetPixel(dc.get(), x, 1, RGB(10, 20, 30));
    }
    return bitmap;
}

std::vector<RECT> RegionRects(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<unsigned char> data(size);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    if (!size || !GetRegionData(region, size, rgn)) return {};
    const RECT* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
    return std::vector<RECT>(rects, rects + rgn->rdh.nCount);
}

TEST(BitmapRegion, EveryDepthGivesTheOpaquePixels) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        CMyBitmap bitmap;
        ASSERT_TRUE(bitmap.Attach(MakeBitmap(bits, 9)));
        ScopedRegion region(bitmap.CreateRegion(kMagenta));
        ASSERT_NE(nullptr, region.get());
        const std::vector<RECT> rects = RegionRects(region.get());
        ASSERT_EQ(2u, rects.size());
        EXPECT_EQ(2, rects[0].left);
        EXPECT_EQ(5, rects[0].right);
        EXPECT_EQ(0, rects[0].top);
        EXPECT_EQ(0, rects[1].left);
        EXPECT_EQ(9, rects[1].right);  // the run ends at the right edge
        EXPECT_EQ(1, rects[1].top);
    }
}

TEST(BitmapRegion, AllKeyGivesAnEmptyRegionAndNoBitmapToo) {
    CMyBitmap empty;
    ScopedRegion none(empty.CreateRegion(kMagenta));
    RECT box = {};
    EXPECT_EQ(NULLREGION, GetRgnBox(none.get(), &box));
}

TEST(SkinBitmap, DrawsWithTheKeyColourLeftOut) {
    CMyBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(MakeBitmap(24, 9)));
    ScopedMemoryDC target(nullptr);
    ScopedWindowDC screen(nullptr);
    ScopedBitmap canvas(CreateCompatibleBitmap(screen.get(), 20, 4));
    ScopedSelection selected(target.get(), canvas.get());
    ScopedBrush green(CreateSolidBrush(RGB(0, 200, 0)));
    RECT all = {0, 0, 20, 4};
    FillRect(target.get(), &all, green.get());
    const RECT source = {0, 0, 9, 2};
    bitmap.Draw(target.get(), 5, 1, &source, kMagenta, true, false);
    EXPECT_EQ(RGB(0, 200, 0), GetPixel(target.get(), 5, 1));    // key: the green shows
    EXPECT_EQ(RGB(10, 20, 30), GetPixel(target.get(), 8, 1));   // opaque pixel drawn
    EXPECT_EQ(RGB(10, 20, 30), GetPixel(target.get(), 13, 2));
    EXPECT_EQ(RGB(0, 200, 0), GetPixel(target.get(), 14, 2));   // past the source
}

TEST(SkinBitmap, LoadsTheProgramsStripsAndRefusesASecondLoad) {
    CSkinButton close;
    ASSERT_TRUE(close.LoadStrip(159, 4, 4, HTCLOSE));
    EXPECT_EQ(126, close.Width());
    EXPECT_EQ(23, close.Height());
    const RECT placed = close.GetPlacedRect(RECT{100, 0, 1100, 700});
    EXPECT_EQ(954, placed.left);
    EXPECT_EQ(996, placed.right);
    HBITMAP held = close.GetSafeHandle();
    EXPECT_FALSE(close.LoadImageResource(160, RT_BITMAP, GetModuleHandleA(nullptr), 0));
    EXPECT_EQ(held, close.GetSafeHandle());
    EXPECT_TRUE(close.ReloadResource(162, RT_BITMAP, GetModuleHandleA(nullptr), 0));
    EXPECT_EQ(96, close.Width());
    EXPECT_FALSE(close.ReloadResource(9999, RT_BITMAP, GetModuleHandleA(nullptr), 0));
    EXPECT_EQ(nullptr, close.GetSafeHandle());
}

// A bottom-up 24-bit bitmap file of width by height pixels, all dark but
// the top row, which is red: the top row is stored last.
std::string BitmapFile(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = 0; y < height; ++y) {
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            const unsigned char bgr[3] = {30, 20, static_cast<unsigned char>(y == height - 1 ? 255 : 10)};
            std::memcpy(&row[static_cast<size_t>(x) * 3], bgr, 3);
        }
        bytes += row;
    }
    return bytes;
}

COLORREF PixelOf(const CBitmap& bitmap, int x, int y) {
    ScopedMemoryDC dc(nullptr);
    ScopedSelection selected(dc.get(), bitmap.GetSafeHandle());
    return GetPixel(dc.get(), x, y);
}

TEST(SkinBitmap, LoadsAPictureFileToItsLastByte) {
    support::ScopedTempDir dir;
    // Larger than any one read, so the top row comes from the file's end.
    ASSERT_TRUE(support::WriteTextFile(dir.File("big.bmp"), BitmapFile(150, 50)));
    CMyBitmap picture;
    ASSERT_TRUE(picture.ReloadFile(dir.File("big.bmp").c_str()));
    EXPECT_EQ(150, picture.Width());
    EXPECT_EQ(50, picture.Height());
    EXPECT_EQ(RGB(255, 20, 30), PixelOf(picture, 149, 0));
    EXPECT_EQ(RGB(10, 20, 30), PixelOf(picture, 0, 49));
    EXPECT_FALSE(picture.LoadImageFile(dir.File("big.bmp").c_str(), 0));  // one is held already

    EXPECT_FALSE(picture.ReloadFile(dir.File("missing.bmp").c_str()));
    EXPECT_EQ(nullptr, picture.GetSafeHandle());
}

}  // namespace
