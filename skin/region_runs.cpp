#include "skin/region_runs.h"

#include <cstring>

namespace skin {

namespace {

uint32_t Read(const uint8_t* p, size_t bytes) {
    uint32_t value = 0;
    std::memcpy(&value, p, bytes);  // little-endian, unaligned-safe
    return value;
}

}  // namespace

int DibStride(int width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

uint32_t KeyAsPixel(COLORREF key) {
    const uint32_t r = GetRValue(key), g = GetGValue(key), b = GetBValue(key);
    return (r << 16) | (g << 8) | b;
}

bool ClassifiableBitCount(int bitCount) {
    return bitCount == 8 || bitCount == 24 || bitCount == 32;
}

std::vector<RECT> OpaqueRuns(const DibPixels& dib, COLORREF key) {
    std::vector<RECT> runs;
    if (!dib.bits || dib.width <= 0 || dib.height <= 0 || !ClassifiableBitCount(dib.bitCount) ||
        (dib.bitCount == 8 && !dib.colourTable)) {
        return runs;
    }
    const uint32_t keyPixel = KeyAsPixel(key);
    const size_t bytesPerPixel = static_cast<size_t>(dib.bitCount / 8);
    // One run per row is the common case (a shaped caption): room for that.
    runs.reserve(static_cast<size_t>(dib.height));
    for (int y = 0; y < dib.height; ++y) {
        // Bottom-up: the top image row is the last stored row.
        const uint8_t* row = dib.bits + static_cast<size_t>(dib.height - 1 - y) * dib.stride;
        int start = -1;
        for (int x = 0; x < dib.width; ++x) {
            const uint8_t* p = row + x * bytesPerPixel;
            bool opaque;
            switch (dib.bitCount) {
                case 8: opaque = (dib.colourTable[*p] & 0x00FFFFFF) != keyPixel; break;
                case 24: opaque = Read(p, 3) != keyPixel; break;
                default: opaque = Read(p, 4) != keyPixel; break;
            }
            if (opaque && start < 0) {
                start = x;
            } else if (!opaque && start >= 0) {
                runs.push_back(RECT{start, y, x, y + 1});
                start = -1;
            }
        }
        if (start >= 0) {
            runs.push_back(RECT{start, y, dib.width, y + 1});
        }
    }
    return runs;
}

}  // namespace skin
