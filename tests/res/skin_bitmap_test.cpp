// The game window's skin bitmaps as the skin loads and draws them: 24-bit
// bitmaps with a 40-byte header and no colour table (its loader puts the
// pixels at offset 54), strips that may be stretched, tiles that repeat.
#include <windows.h>
#include <olectl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "owners/gdi_owners.h"
#include "resource.h"
#include "resource_data.h"

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

struct SkinBitmap {
    BITMAPINFOHEADER header{};
    std::vector<uint8_t> bytes;
    int Width() const { return header.biWidth; }
    int Height() const { return header.biHeight; }
    // Rows are stored bottom-up, padded to 4 bytes.
    COLORREF Pixel(int x, int y) const {
        size_t stride = (size_t(Width()) * 3 + 3) & ~size_t(3);
        const uint8_t* p = bytes.data() + sizeof(header) + (Height() - 1 - y) * stride + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
};

SkinBitmap Load(UINT id) {
    SkinBitmap bmp;
    bmp.bytes = ResourceBytes(id, MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (bmp.bytes.size() >= sizeof(bmp.header))
        std::memcpy(&bmp.header, bmp.bytes.data(), sizeof(bmp.header));
    return bmp;
}

void ExpectFormat(const SkinBitmap& bmp, int width, int height) {
    ASSERT_EQ(40u, bmp.header.biSize);
    EXPECT_EQ(24, bmp.header.biBitCount);
    EXPECT_EQ(DWORD(BI_RGB), bmp.header.biCompression);
    EXPECT_EQ(0u, bmp.header.biClrUsed);
    ASSERT_EQ(width, bmp.Width());
    ASSERT_EQ(height, bmp.Height());
    size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    ASSERT_GE(bmp.bytes.size(), 40 + stride * height);
}

bool ColumnsIdentical(const SkinBitmap& bmp) {
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 1; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y) != bmp.Pixel(0, y))
                return false;
    return true;
}

bool RowsIdentical(const SkinBitmap& bmp, int top, int bottom) {
    for (int y = top + 1; y < bottom; ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y) != bmp.Pixel(x, top))
                return false;
    return true;
}

}  // namespace

TEST(SkinBitmaps, FrameStripsStretchAndTileWithoutSeams) {
    SkinBitmap top = Load(IDB_SKIN_TOP), bottom = Load(IDB_SKIN_BOTTOM);
    SkinBitmap left = Load(IDB_SKIN_LEFT), right = Load(IDB_SKIN_RIGHT);
    ExpectFormat(top, 4, 32);
    ExpectFormat(bottom, 4, 7);
    ExpectFormat(left, 7, 46);
    ExpectFormat(right, 7, 46);
    // Stretched sideways: any difference between columns would show as bands.
    EXPECT_TRUE(ColumnsIdentical(top));
    EXPECT_TRUE(ColumnsIdentical(bottom));
    // Rows 32..38 repeat down the window's sides.
    EXPECT_TRUE(RowsIdentical(left, 32, 39));
    EXPECT_TRUE(RowsIdentical(right, 32, 39));
    // Where the pieces meet, the colours continue: the caption strip runs
    // into the inner columns of the side images, the bottom strip into the
    // inner column of the bottom corners.
    for (int y = 2; y < 30; ++y) {
        EXPECT_EQ(top.Pixel(0, y), left.Pixel(6, y)) << y;
        EXPECT_EQ(top.Pixel(0, y), right.Pixel(0, y)) << y;
    }
    for (int y = 0; y < 7; ++y) {
        EXPECT_EQ(bottom.Pixel(0, y), left.Pixel(6, 39 + y)) << y;
        EXPECT_EQ(bottom.Pixel(0, y), right.Pixel(0, 39 + y)) << y;
    }
    // The frame is drawn opaque: the key colour must not appear in it.
    for (const SkinBitmap* bmp : {&top, &bottom, &left, &right})
        for (int y = 0; y < bmp->Height(); ++y)
            for (int x = 0; x < bmp->Width(); ++x)
                ASSERT_NE(kMagenta, bmp->Pixel(x, y));
}

TEST(SkinBitmaps, CaptionButtonsAreThreeFrameStripsKeyedWithMagenta) {
    struct { UINT id; int width; } strips[] = {
        {IDB_SKIN_CLOSE, 126}, {IDB_SKIN_RESTORE, 96}, {IDB_SKIN_MAXIMIZE, 96},
        {IDB_SKIN_MINIMIZE, 96}, {IDB_SKIN_HELP, 96}, {IDB_SKIN_TRAY, 96},
        {IDB_SKIN_SETTINGS, 129}, {IDB_SKIN_FORUM, 129}, {IDB_SKIN_RECHARGE, 129},
        {IDB_SKIN_HOME, 129},
    };
    for (auto [id, width] : strips) {
        SCOPED_TRACE(testing::Message() << "bitmap " << id);
        SkinBitmap bmp = Load(id);
        ExpectFormat(bmp, width, 23);
        int frame = width / 3;
        std::vector<std::vector<COLORREF>> frames(3);
        for (int f = 0; f < 3; ++f) {
            // Corners are cut out with the key; the middle is the button.
            EXPECT_EQ(kMagenta, bmp.Pixel(f * frame, 0));
            EXPECT_EQ(kMagenta, bmp.Pixel(f * frame + frame - 1, 22));
            EXPECT_NE(kMagenta, bmp.Pixel(f * frame + frame / 2, 11));
            for (int y = 0; y < 23; ++y)
                for (int x = 0; x < frame; ++x)
                    frames[f].push_back(bmp.Pixel(f * frame + x, y));
        }
        // Normal, pressed and hover frames all look different.
        EXPECT_NE(frames[0], frames[1]);
        EXPECT_NE(frames[0], frames[2]);
        EXPECT_NE(frames[1], frames[2]);
    }
}

TEST(SkinBitmaps, DecodeThroughThePictureLoaderAtTheirSize) {
    // The skin prepends a 14-byte file header that puts the pixels at offset
    // 54 and decodes the block with OleLoadPicture; do the same.
    ScopedWindowDC screen(nullptr);
    const int dpiX = GetDeviceCaps(screen.get(), LOGPIXELSX), dpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
    for (UINT id = IDB_SKIN_BOTTOM; id <= IDB_SKIN_HOME; ++id) {
        SCOPED_TRACE(testing::Message() << "bitmap " << id);
        SkinBitmap bmp = Load(id);
        ASSERT_FALSE(bmp.bytes.empty());
        DWORD total = DWORD(bmp.bytes.size() + 14);
        std::vector<uint8_t> file(total);
        file[0] = 'B';
        file[1] = 'M';
        std::memcpy(&file[2], &total, 4);
        file[10] = 54;
        std::memcpy(&file[14], bmp.bytes.data(), bmp.bytes.size());
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, total);
        ASSERT_NE(nullptr, block);
        std::memcpy(GlobalLock(block), file.data(), total);
        GlobalUnlock(block);
        IStream* stream = nullptr;
        if (CreateStreamOnHGlobal(block, TRUE, &stream) != S_OK) {  // the stream frees the block
            GlobalFree(block);
            FAIL() << "no stream";
        }
        IPicture* picture = nullptr;
        HRESULT hr = OleLoadPicture(stream, LONG(total), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
        stream->Release();
        ASSERT_EQ(S_OK, hr);
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        picture->get_Width(&width);
        picture->get_Height(&height);
        short type = 0;
        picture->get_Type(&type);
        picture->Release();
        EXPECT_EQ(PICTYPE_BITMAP, type);
        EXPECT_EQ(bmp.Width(), MulDiv(width, dpiX, 2540));
        EXPECT_EQ(bmp.Height(), MulDiv(height, dpiY, 2540));
    }
}
