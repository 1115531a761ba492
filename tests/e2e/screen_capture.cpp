#include "screen_capture.h"

#include "owners/gdi_owners.h"

#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace e2e {

Screenshot Screenshot::Capture(const RECT& r) {
    Screenshot shot;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) {
        return shot;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    ScopedWindowDC screen(nullptr);
    ScopedMemoryDC memory(screen.get());
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap.get() && bits) {
        ScopedSelection selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
        GdiFlush();
        const auto* source = static_cast<const uint32_t*>(bits);
        shot.m_pixels.assign(source, source + static_cast<size_t>(width) * height);
        shot.m_rect = r;
    }
    return shot;
}

COLORREF Screenshot::At(int x, int y) const {
    const int width = m_rect.right - m_rect.left;
    const int col = x - m_rect.left;
    const int row = y - m_rect.top;
    if (!valid() || col < 0 || row < 0 || col >= width || row >= m_rect.bottom - m_rect.top) {
        return CLR_INVALID;
    }
    const uint32_t pixel = m_pixels[static_cast<size_t>(row) * width + col];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool Screenshot::SaveBmp(const std::string& path) const {
    if (!valid()) {
        return false;
    }
    const int width = m_rect.right - m_rect.left;
    const int height = m_rect.bottom - m_rect.top;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(m_pixels.size() * 4);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + bytes;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        return false;
    }
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
              std::fwrite(m_pixels.data(), 1, bytes, out) == bytes;
    return std::fclose(out) == 0 && ok;
}

ResourcePicture::ResourcePicture(const std::string& moduleFile, unsigned id) {
    HMODULE module = LoadLibraryExA(moduleFile.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        return;
    }
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    IStream* stream = nullptr;
    if (data && size) {
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
        if (copy) {
            memcpy(GlobalLock(copy), data, size);
            GlobalUnlock(copy);
            if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
                GlobalFree(copy);
            }
        }
    }
    if (stream) {
        std::unique_ptr<Gdiplus::Bitmap> picture(Gdiplus::Bitmap::FromStream(stream));
        if (picture && picture->GetLastStatus() == Gdiplus::Ok) {
            m_width = static_cast<int>(picture->GetWidth());
            m_height = static_cast<int>(picture->GetHeight());
            m_pixels.resize(static_cast<size_t>(m_width) * m_height);
            for (int y = 0; y < m_height; ++y) {
                for (int x = 0; x < m_width; ++x) {
                    Gdiplus::Color colour;
                    picture->GetPixel(x, y, &colour);
                    m_pixels[static_cast<size_t>(y) * m_width + x] = colour.GetValue();
                }
            }
        }
        stream->Release();
    }
    FreeLibrary(module);
}

int ColourDistance(COLORREF a, COLORREF b) {
    const int dr = std::abs(static_cast<int>(GetRValue(a)) - GetRValue(b));
    const int dg = std::abs(static_cast<int>(GetGValue(a)) - GetGValue(b));
    const int db = std::abs(static_cast<int>(GetBValue(a)) - GetBValue(b));
    return dr > dg ? (dr > db ? dr : db) : (dg > db ? dg : db);
}

COLORREF OpaqueColour(uint32_t argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
}

GdiplusSession::~GdiplusSession() {
    if (m_token) {
        Gdiplus::GdiplusShutdown(m_token);
    }
}

}  // namespace e2e
