// Opaque runs of synthetic DIBs: bottom-up rows, key magenta.
#include "skin/region_runs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace skin;

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A bottom-up DIB of the given depth; Put writes a pixel by top-down row.
class Dib {
public:
    Dib(int width, int height, int bitCount)
        : m_width(width), m_height(height), m_bitCount(bitCount), m_stride(DibStride(width, bitCount)),
          m_bits(static_cast<size_t>(m_stride) * height, 0) {}
    void Put(int x, int y, uint32_t pixel) {
        uint8_t* row = m_bits.data() + static_cast<size_t>(m_height - 1 - y) * m_stride;
        std::memcpy(row + x * (m_bitCount / 8), &pixel, m_bitCount / 8);
    }
    void Fill(uint32_t pixel) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) Put(x, y, pixel);
    }
    DibPixels pixels(const uint32_t* table = nullptr) const {
        return DibPixels{m_bits.data(), m_width, m_height, m_stride, m_bitCount, table};
    }

private:
    int m_width, m_height, m_bitCount, m_stride;
    std::vector<uint8_t> m_bits;
};

std::vector<RECT> Runs(const Dib& dib, const uint32_t* table = nullptr) { return OpaqueRuns(dib.pixels(table), kMagenta); }

::testing::AssertionResult IsRun(const RECT& r, int x0, int y, int x1) {
    if (r.left == x0 && r.top == y && r.right == x1 && r.bottom == y + 1) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

TEST(RegionRuns, StrideAndKeyForms) {
    EXPECT_EQ(12, DibStride(3, 24));  // 9 bytes raised to 12
    EXPECT_EQ(8, DibStride(2, 32));
    EXPECT_EQ(4, DibStride(3, 8));
    EXPECT_EQ(0x00FF00FFu, KeyAsPixel(kMagenta));
    EXPECT_EQ(0x00123456u, KeyAsPixel(RGB(0x12, 0x34, 0x56)));  // red and blue exchanged
}

TEST(RegionRuns, AFullyOpaqueBitmapGivesOneRunPerRow) {
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        Dib dib(5, 3, bits);
        dib.Fill(0x000000);
        const std::vector<RECT> runs = Runs(dib);
        ASSERT_EQ(3u, runs.size());
        for (int y = 0; y < 3; ++y) EXPECT_TRUE(IsRun(runs[y], 0, y, 5));
    }
}

TEST(RegionRuns, KeyRowsAddNothingAndRunsEndAtTheRightEdge) {
    Dib dib(6, 3, 24);
    dib.Fill(0xFF00FF);          // all key
    dib.Put(1, 0, 0x000000);     // row 0: one pixel run
    dib.Put(2, 0, 0x000000);
    dib.Put(4, 2, 0x123456);     // row 2: a run to the edge, a gap before it
    dib.Put(5, 2, 0x123456);
    dib.Put(0, 2, 0x010101);
    const std::vector<RECT> runs = Runs(dib);
    ASSERT_EQ(3u, runs.size());
    EXPECT_TRUE(IsRun(runs[0], 1, 0, 3));
    EXPECT_TRUE(IsRun(runs[1], 0, 2, 1));
    EXPECT_TRUE(IsRun(runs[2], 4, 2, 6));  // closed at the image width
}

TEST(RegionRuns, TheTopRowIsTheLastStoredRow) {
    Dib dib(2, 2, 32);
    dib.Fill(0x00FF00FF);
    dib.Put(0, 0, 0);  // top image row
    const std::vector<RECT> runs = Runs(dib);
    ASSERT_EQ(1u, runs.size());
    EXPECT_TRUE(IsRun(runs[0], 0, 0, 1));
}

TEST(RegionRuns, A32BitPixelWithAFourthByteNeverMatches) {
    Dib dib(2, 1, 32);
    dib.Put(0, 0, 0x00FF00FF);  // bytes FF 00 FF 00: key
    dib.Put(1, 0, 0x01FF00FF);  // bytes FF 00 FF 01: opaque
    const std::vector<RECT> runs = Runs(dib);
    ASSERT_EQ(1u, runs.size());
    EXPECT_TRUE(IsRun(runs[0], 1, 0, 2));
}

TEST(RegionRuns, A24BitPixelMatchesByItsThreeBytes) {
    Dib dib(3, 1, 24);
    dib.Put(0, 0, 0xFF00FF);
    dib.Put(1, 0, 0xFF00FE);
    dib.Put(2, 0, 0xFF00FF);
    const std::vector<RECT> runs = Runs(dib);
    ASSERT_EQ(1u, runs.size());
    EXPECT_TRUE(IsRun(runs[0], 1, 0, 2));
}

TEST(RegionRuns, An8BitPixelIsClassifiedByItsColourTableEntry) {
    uint32_t table[256] = {};
    table[3] = 0x00FF00FF;  // magenta as RGBQUAD: blue FF, green 00, red FF
    table[7] = 0x00FF0000;  // red
    Dib dib(4, 1, 8);
    const uint8_t row[4] = {3, 7, 7, 3};
    for (int x = 0; x < 4; ++x) dib.Put(x, 0, row[x]);
    const std::vector<RECT> runs = Runs(dib, table);
    ASSERT_EQ(1u, runs.size());
    EXPECT_TRUE(IsRun(runs[0], 1, 0, 3));
    EXPECT_TRUE(Runs(dib, nullptr).empty());  // no table: nothing read
}

TEST(RegionRuns, OtherDepthsAreLeftToTheCallersCopy) {
    EXPECT_FALSE(ClassifiableBitCount(1));
    EXPECT_FALSE(ClassifiableBitCount(4));
    EXPECT_FALSE(ClassifiableBitCount(16));
    Dib dib(8, 1, 8);
    DibPixels onebit = dib.pixels();
    onebit.bitCount = 1;
    EXPECT_TRUE(OpaqueRuns(onebit, kMagenta).empty());
}

TEST(RegionRuns, ManyRunsInARow) {
    Dib dib(100, 2, 24);
    for (int x = 0; x < 100; ++x) dib.Put(x, 0, x % 2 ? 0xFF00FF : 0);
    dib.Put(99, 1, 0xFF00FF);
    const std::vector<RECT> runs = Runs(dib);
    ASSERT_EQ(51u, runs.size());
    EXPECT_TRUE(IsRun(runs[49], 98, 0, 99));
    EXPECT_TRUE(IsRun(runs[50], 0, 1, 99));
}

}  // namespace
