// The PNG resources as GDI+ decodes them for the layered background and
// the launcher's image buttons.
#include <windows.h>
#include <shlwapi.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "resource.h"
#include "resource_data.h"

namespace {

struct Pixels {
    UINT width = 0, height = 0;
    Gdiplus::PixelFormat format = 0;
    std::vector<uint32_t> argb;  // straight (not premultiplied) alpha
    uint8_t Alpha(UINT x, UINT y) const { return argb[y * width + x] >> 24; }
};

class Pictures : public testing::Test {
protected:
    static void SetUpTestSuite() {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&s_token, &input, nullptr));
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_token); }

    static Pixels Decode(UINT id) {
        Pixels out;
        std::vector<uint8_t> bytes = ResourceBytes(id, "PNG");
        if (bytes.empty())
            return out;
        IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
        if (!stream)
            return out;
        {
            Gdiplus::Bitmap bitmap(stream, FALSE);
            if (bitmap.GetLastStatus() == Gdiplus::Ok) {
                out.width = bitmap.GetWidth();
                out.height = bitmap.GetHeight();
                out.format = bitmap.GetPixelFormat();
                Gdiplus::Rect all(0, 0, out.width, out.height);
                Gdiplus::BitmapData data{};
                if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) == Gdiplus::Ok) {
                    out.argb.resize(size_t(out.width) * out.height);
                    for (UINT y = 0; y < out.height; ++y)
                        memcpy(&out.argb[size_t(y) * out.width], static_cast<uint8_t*>(data.Scan0) + y * data.Stride,
                               out.width * 4);
                    bitmap.UnlockBits(&data);
                }
            }
        }
        stream->Release();
        return out;
    }

    static ULONG_PTR s_token;
};

ULONG_PTR Pictures::s_token = 0;

struct AlphaCounts {
    size_t clear = 0, partial = 0, opaque = 0;
};

AlphaCounts CountAlpha(const Pixels& p) {
    AlphaCounts c;
    for (uint32_t px : p.argb) {
        uint8_t a = px >> 24;
        (a == 0 ? c.clear : a == 255 ? c.opaque : c.partial)++;
    }
    return c;
}

bool AllOpaque(const Pixels& p, int left, int top, int width, int height) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (p.Alpha(x, y) != 255)
                return false;
    return true;
}

// Launcher controls in launcher pixels; the launcher sits 3 pixels right of
// the background's left edge.
struct Placed {
    UINT normal, hot, disabled;
    int left, top, width, height;
};
const Placed kButtons[] = {
    {IDB_CLOSE_NORMAL, IDB_CLOSE_HOT, IDB_CLOSE_DISABLED, 908, 58, 28, 29},
    {IDB_MIN_NORMAL, IDB_MIN_HOT, IDB_MIN_DISABLED, 881, 61, 24, 24},
    {IDB_SERVICE_NORMAL, IDB_SERVICE_HOT, IDB_SERVICE_DISABLED, 740, 84, 77, 26},
    {IDB_FORUM_NORMAL, IDB_FORUM_HOT, IDB_FORUM_DISABLED, 598, 84, 77, 26},
    {IDB_RECHARGE_NORMAL, IDB_RECHARGE_HOT, IDB_RECHARGE_DISABLED, 473, 84, 77, 26},
    {IDB_HOME_NORMAL, IDB_HOME_HOT, IDB_HOME_DISABLED, 346, 84, 77, 26},
};
const int kLauncherDx = 3;

}  // namespace

TEST_F(Pictures, BackgroundIs980x650WithPerPixelAlpha) {
    Pixels back = Decode(IDB_BACKGROUND);
    ASSERT_EQ(980u, back.width);
    ASSERT_EQ(650u, back.height);
    EXPECT_EQ(PixelFormat32bppARGB, back.format);
    // The shadow and glow fade out before the edge: a non-zero alpha on the
    // outermost rows or columns would show as a hard cut on the desktop.
    for (UINT x = 0; x < 980; ++x) {
        ASSERT_EQ(0, back.Alpha(x, 0)) << x;
        ASSERT_EQ(0, back.Alpha(x, 649)) << x;
    }
    for (UINT y = 0; y < 650; ++y) {
        ASSERT_EQ(0, back.Alpha(0, y)) << y;
        ASSERT_EQ(0, back.Alpha(979, y)) << y;
    }
    AlphaCounts counts = CountAlpha(back);
    EXPECT_GT(counts.clear, 1000u);
    EXPECT_GT(counts.partial, 10000u);
    EXPECT_GT(counts.opaque, 980u * 650u / 2);
}

TEST_F(Pictures, BackgroundIsOpaqueUnderTheLauncherControls) {
    Pixels back = Decode(IDB_BACKGROUND);
    ASSERT_EQ(980u * 650u, back.argb.size());
    EXPECT_TRUE(AllOpaque(back, 275 + kLauncherDx, 149, 646, 409)) << "browser";
    // The buttons' edges blend towards the launcher's near-black key colour;
    // they must sit on solid picture, not on the shadow.
    for (const Placed& b : kButtons)
        EXPECT_TRUE(AllOpaque(back, b.left + kLauncherDx, b.top, b.width, b.height)) << b.normal;
}

TEST_F(Pictures, ButtonImagesHaveTheirSizesAlphaAndAHotState) {
    for (const Placed& b : kButtons) {
        SCOPED_TRACE(testing::Message() << "button image " << b.normal);
        Pixels normal = Decode(b.normal), hot = Decode(b.hot), disabled = Decode(b.disabled);
        for (const Pixels* p : {&normal, &hot, &disabled}) {
            ASSERT_EQ(UINT(b.width), p->width);
            ASSERT_EQ(UINT(b.height), p->height);
            EXPECT_EQ(PixelFormat32bppARGB, p->format);
            AlphaCounts counts = CountAlpha(*p);
            EXPECT_GT(counts.clear, 0u);    // rounded corners
            EXPECT_GT(counts.partial, 0u);  // anti-aliased edge
            EXPECT_EQ(255, p->Alpha(b.width / 2, b.height / 2));
        }
        // The launcher keys out RGB(1, 1, 1): a solid pixel of that colour
        // would be a hole in the button.
        for (const Pixels* p : {&normal, &hot})
            for (uint32_t px : p->argb)
                ASSERT_FALSE(px >> 24 == 255 && (px & 0xFFFFFF) == 0x010101);
        EXPECT_NE(normal.argb, hot.argb);
        EXPECT_EQ(normal.argb, disabled.argb);  // as shipped: never disabled
    }
}
