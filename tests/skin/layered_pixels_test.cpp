#include "skin/layered_pixels.h"

#include <gtest/gtest.h>

TEST(CompositionBufferBytes, IsFourBytesAPixel) {
    EXPECT_EQ(2548000u, CompositionBufferBytes(980, 650));
    EXPECT_EQ(12u, CompositionBufferBytes(3, 1));
    EXPECT_EQ(0u, CompositionBufferBytes(0, 0));
    EXPECT_EQ(0u, CompositionBufferBytes(980, 0));
}

TEST(Premultiplied, ScalesColourByAlphaAndKeepsAlpha) {
    EXPECT_EQ(0xFFFF0000u, Premultiplied(0xFFFF0000u));
    EXPECT_EQ(0x00000000u, Premultiplied(0x000000FFu));
    EXPECT_EQ(0x80008000u, Premultiplied(0x8000FF00u));
    EXPECT_EQ(0x40404040u, Premultiplied(0x40FFFFFFu));
    EXPECT_EQ(0xC8081018u, Premultiplied(0xC80A141Eu));
    EXPECT_EQ(0x01010000u, Premultiplied(0x01C86432u));
}

TEST(PremultiplyPixels, LeavesOpaquePixelsAndClearsTransparentOnes) {
    uint32_t pixels[] = {0xFF123456u, 0x00FFFFFFu, 0x8000FF00u, 0x01C86432u};
    PremultiplyPixels(pixels, 4);
    EXPECT_EQ(0xFF123456u, pixels[0]);
    EXPECT_EQ(0x00000000u, pixels[1]);
    EXPECT_EQ(0x80008000u, pixels[2]);
    EXPECT_EQ(0x01010000u, pixels[3]);
}
