// CMyBitmap::CreateRegion: the bitmap's pixels read back as a DIB, their
// opaque runs made into one region.
#include "skin/region_runs.h"
#include "skin/skin_bitmap.h"

#include <cstring>
#include <vector>

namespace {

// An information header with room for three colour masks or 256 colours.
struct DibInfo {
    BITMAPINFOHEADER header;
    uint32_t colours[256];
};

HRGN RegionFromRuns(const std::vector<RECT>& runs) {
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATAHEADER header = {};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(runs.size());
    std::memcpy(data.data(), &header, sizeof header);
    if (!runs.empty()) {
        std::memcpy(data.data() + sizeof header, runs.data(), runs.size() * sizeof(RECT));
    }
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

}  // namespace

HRGN CMyBitmap::CreateRegion(COLORREF key) const {
    BITMAP bm = {};
    if (!GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        return CreateRectRgn(0, 0, 0, 0);
    }
    ScopedDC display(CreateICA("DISPLAY", nullptr, nullptr, nullptr));
    DibInfo info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    // Asked without a buffer, GetDIBits describes the bitmap's own format.
    GetDIBits(display.get(), GetSafeHandle(), 0, static_cast<UINT>(bm.bmHeight), nullptr,
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    int bitCount = info.header.biBitCount;
    info.header.biHeight = bm.bmHeight;  // bottom-up rows
    if (!skin::ClassifiableBitCount(bitCount)) {
        // 1, 4 bits and the like are classified through a 32-bit copy. So are
        // 16 bits: the platform may hand them over as 5-5-5 whatever masks
        // are asked for, and a key pixel expands to the key exactly.
        bitCount = 32;
        info.header.biBitCount = 32;
    }
    info.header.biCompression = BI_RGB;
    const int stride = skin::DibStride(bm.bmWidth, bitCount);
    info.header.biSizeImage = static_cast<DWORD>(stride) * static_cast<DWORD>(bm.bmHeight);
    std::vector<uint8_t> pixels(info.header.biSizeImage);
    if (GetDIBits(display.get(), GetSafeHandle(), 0, static_cast<UINT>(bm.bmHeight), pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0) {
        return CreateRectRgn(0, 0, 0, 0);
    }
    skin::DibPixels dib;
    dib.bits = pixels.data();
    dib.width = bm.bmWidth;
    dib.height = bm.bmHeight;
    dib.stride = stride;
    dib.bitCount = bitCount;
    dib.colourTable = info.colours;
    return RegionFromRuns(skin::OpaqueRuns(dib, key));
}
