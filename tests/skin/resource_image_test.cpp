// The picture loader's two branches and its missing-resource case, on the
// test program's own resources (PNG 7001, bitmap 7002).
#include "skin/resource_image.h"

#include "gdiplus_session.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kTestPng = 7001;
constexpr UINT kTestBitmap = 7002;

uint32_t Argb(Gdiplus::Bitmap& bitmap, int x, int y) {
    Gdiplus::Color colour;
    bitmap.GetPixel(x, y, &colour);
    return colour.GetValue();
}

}  // namespace

TEST(LoadResourceImage, PngKeepsItsSizeAndAlpha) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.ok());
    auto image = LoadResourceImage(kTestPng, "PNG");
    ASSERT_TRUE(image);
    ASSERT_EQ(Gdiplus::Ok, image->GetLastStatus());
    EXPECT_EQ(8u, image->GetWidth());
    EXPECT_EQ(4u, image->GetHeight());
    EXPECT_TRUE(Gdiplus::IsAlphaPixelFormat(image->GetPixelFormat()));

    // Straight alpha as stored, top row first.
    Gdiplus::Bitmap copy(8, 4, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&copy);
        g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        g.DrawImage(image.get(), 0, 0, 8, 4);
    }
    EXPECT_EQ(0xFFFF0000u, Argb(copy, 0, 0));
    EXPECT_EQ(0x8000FF00u, Argb(copy, 2, 1));
    EXPECT_EQ(0xFFFFFF00u, Argb(copy, 1, 3));
}

TEST(LoadResourceImage, PngFromAnExplicitModule) {
    GdiplusSession gdiplus;
    auto image = LoadResourceImage(kTestPng, "PNG", GetModuleHandleA(nullptr));
    EXPECT_EQ(8u, image->GetWidth());
}

TEST(LoadResourceImage, BitmapTypeGoesThroughTheBitmapBranch) {
    GdiplusSession gdiplus;
    auto image = LoadResourceImage(kTestBitmap, RT_BITMAP);
    ASSERT_EQ(Gdiplus::Ok, image->GetLastStatus());
    ASSERT_EQ(3u, image->GetWidth());
    ASSERT_EQ(2u, image->GetHeight());
    auto& bitmap = static_cast<Gdiplus::Bitmap&>(*image);
    EXPECT_EQ(0xFFFF00FFu, Argb(bitmap, 0, 0));
    EXPECT_EQ(0xFF0C2238u, Argb(bitmap, 2, 0));
    EXPECT_EQ(0xFF010101u, Argb(bitmap, 1, 1));

    // The same resource asked for as a stream type is no PNG resource at all.
    auto asStream = LoadResourceImage(kTestBitmap, "PNG");
    EXPECT_EQ(0u, asStream->GetWidth());
}

TEST(LoadResourceImage, MissingResourceGivesAFailedImageOfSizeZero) {
    GdiplusSession gdiplus;
    for (LPCSTR type : {static_cast<LPCSTR>("PNG"), static_cast<LPCSTR>(RT_BITMAP)}) {
        auto image = LoadResourceImage(7999, type);
        ASSERT_TRUE(image);
        EXPECT_NE(Gdiplus::Ok, image->GetLastStatus());
        EXPECT_EQ(0u, image->GetWidth());
        EXPECT_EQ(0u, image->GetHeight());
    }
}
