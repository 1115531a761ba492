// The opaque runs of a device-independent bitmap: one rectangle per
// horizontal run of pixels that differ from a key colour, row by row from the
// top. CreateRegion turns them into a window region; the tests feed them
// synthetic pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace skin {

// The pixels as GetDIBits gives them: rows bottom-up, each stride bytes
// (a multiple of 4), bitCount 8, 24 or 32. For 8 bits colourTable holds the
// 256 entries (RGBQUAD, read as 32-bit words).
struct DibPixels {
    const uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    int bitCount = 0;
    const uint32_t* colourTable = nullptr;
};

// Rows of a bitCount DIB are this many bytes apart: the row's bytes raised to
// a multiple of 4.
int DibStride(int width, int bitCount);

// The key in the pixels' own form: COLORREF 0x00BBGGRR becomes 0x00RRGGBB.
uint32_t KeyAsPixel(COLORREF key);

// Whether the DIB format is one the runs can classify (8, 24, 32 bits);
// others, 16 bits included, go through a 32-bit copy first.
bool ClassifiableBitCount(int bitCount);

// Rectangles (x0, y, x1, y + 1) of every run of pixels that differ from key,
// y counted from the top image row. A 32-bit pixel matches only when all
// four bytes match (a non-zero fourth byte never matches); a 24-bit pixel by
// its three bytes; an 8-bit one by its colour-table entry. Nothing for formats
// that are not classifiable.
std::vector<RECT> OpaqueRuns(const DibPixels& dib, COLORREF key);

}  // namespace skin
