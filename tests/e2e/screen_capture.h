// What a person would see: pixels copied from the screen DC (which includes
// layered and colour-keyed windows), and the program's own pictures decoded
// from its resources to compare them with.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

class Screenshot {
public:
    static Screenshot Capture(const RECT& screenRect);

    bool valid() const { return !m_pixels.empty(); }
    // The colour at a screen position inside the captured rectangle.
    COLORREF At(int screenX, int screenY) const;
    bool SaveBmp(const std::string& path) const;

private:
    RECT m_rect{};
    std::vector<uint32_t> m_pixels;  // 0x00RRGGBB, top-down rows
};

// A PNG resource of a module file, decoded with GDI+ (which the caller started).
class ResourcePicture {
public:
    ResourcePicture(const std::string& moduleFile, unsigned id);

    bool valid() const { return m_width > 0; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // 0xAARRGGBB
    uint32_t At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
};

// Colour distance: the largest difference of the three channels.
int ColourDistance(COLORREF a, COLORREF b);
COLORREF OpaqueColour(uint32_t argb);

// Starts GDI+ for a test and stops it again.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR m_token = 0;
};

}  // namespace e2e
