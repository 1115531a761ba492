// CMyBitmap's reloading, measuring and drawing, and the colour-keyed copy.
#include "skin/skin_bitmap.h"

bool CKeyedImage::Prepare(HDC dc, HBITMAP bitmap, int sx, int sy, int width, int height, COLORREF key) {
    Reset();
    if (!bitmap || width <= 0 || height <= 0) {
        return false;
    }
    ScopedBitmap pixels(CreateCompatibleBitmap(dc, width, 2 * height));
    ScopedDC held(CreateCompatibleDC(dc));
    ScopedMemoryDC source(dc), mono(dc);
    ScopedBitmap monoBitmap(CreateBitmap(width, height, 1, 1, nullptr));
    if (!pixels.get() || !held.get() || !source.get() || !mono.get() || !monoBitmap.get()) {
        return false;
    }
    HDC image = held.get();
    SelectObject(image, pixels.get());
    {
        ScopedSelection sourceSelected(source.get(), bitmap);
        BitBlt(image, 0, 0, width, height, source.get(), sx, sy, SRCCOPY);
    }
    ScopedSelection monoSelected(mono.get(), monoBitmap.get());
    // Key-coloured pixels become 1 in the monochrome mask, all others 0.
    SetBkColor(image, key);
    BitBlt(mono.get(), 0, 0, width, height, image, 0, 0, SRCCOPY);
    // The 1s turn into the background colour, the 0s into the text colour:
    // the key pixels blackened above, the mask in colour below.
    SetBkColor(image, RGB(0, 0, 0));
    SetTextColor(image, RGB(255, 255, 255));
    BitBlt(image, 0, 0, width, height, mono.get(), 0, 0, SRCAND);
    SetBkColor(image, RGB(255, 255, 255));
    SetTextColor(image, RGB(0, 0, 0));
    BitBlt(image, 0, height, width, height, mono.get(), 0, 0, SRCCOPY);
    m_bitmap = std::move(pixels);
    m_dc = std::move(held);
    m_nHeight = height;
    m_crKey = key;
    return true;
}

void CKeyedImage::Reset() {
    m_dc.reset();  // before the bitmap it holds selected
    m_bitmap.reset();
    m_nHeight = 0;
}

void CKeyedImage::Draw(HDC target, int x, int y, int width, int height, int sx, int sy) const {
    // Never into the mask's rows: those would be drawn as pixels.
    if (sy >= 0 && sy + height > m_nHeight) {
        height = m_nHeight - sy;
    }
    if (!m_dc.get() || width <= 0 || height <= 0 || sy < 0) {
        return;
    }
    // Blacken the target where the image is opaque, then OR the image in.
    BitBlt(target, x, y, width, height, m_dc.get(), sx, sy + m_nHeight, SRCAND);
    BitBlt(target, x, y, width, height, m_dc.get(), sx, sy, SRCPAINT);
}

void DrawTransparentBitmap(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sx, int sy,
                           COLORREF key) {
    CKeyedImage keyed;
    if (keyed.Prepare(target, bitmap, sx, sy, width, height, key)) {
        keyed.Draw(target, x, y, width, height, 0, 0);
    }
}

bool CMyBitmap::ReloadResource(UINT id, LPCSTR type, HMODULE module, COLORREF background) {
    DeleteObject();
    return LoadImageResource(id, type, module, background);
}

bool CMyBitmap::ReloadFile(const char* path) {
    DeleteObject();
    return LoadImageFile(path, 0);
}

int CMyBitmap::Width() const {
    BITMAP info = {};
    return GetBitmap(&info) ? info.bmWidth : 0;
}

int CMyBitmap::Height() const {
    BITMAP info = {};
    return GetBitmap(&info) ? info.bmHeight : 0;
}

bool CMyBitmap::Draw(HDC dc, int x, int y, const RECT* source, COLORREF key, bool transparent, bool stretch) const {
    if (transparent && source) {
        DrawTransparentBitmap(dc, x, y, source->right - source->left, source->bottom - source->top, GetSafeHandle(),
                              source->left, source->top, key);
        return true;
    }
    return DrawOpaque(dc, x, y, source, stretch);
}

bool CMyBitmap::DrawOpaque(HDC dc, int x, int y, const RECT* source, bool stretch) const {
    if (!GetSafeHandle()) {
        return true;
    }
    ScopedMemoryDC memory(dc);
    ScopedSelection selected(memory.get(), GetSafeHandle());
    if (!source) {
        BitBlt(dc, x, y, Width(), Height(), memory.get(), 0, 0, SRCCOPY);
    } else if (stretch) {
        StretchBlt(dc, x, y, source->right - source->left, source->bottom - source->top, memory.get(), 0, 0, Width(),
                   Height(), SRCCOPY);
    } else {
        BitBlt(dc, x, y, source->right - source->left, source->bottom - source->top, memory.get(), source->left,
               source->top, SRCCOPY);
    }
    return true;
}
