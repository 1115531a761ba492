#include "skin/offscreen.h"

bool COffscreen::Resize(HDC dc, int width, int height) {
    if (m_dc.get() && width == m_nWidth && height == m_nHeight) {
        return false;
    }
    Reset();
    if (width <= 0 || height <= 0) {
        return false;
    }
    ScopedBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
    ScopedDC memory(CreateCompatibleDC(dc));
    if (!bitmap.get() || !memory.get()) {
        return false;
    }
    SelectObject(memory.get(), bitmap.get());
    m_bitmap = std::move(bitmap);
    m_dc = std::move(memory);
    m_nWidth = width;
    m_nHeight = height;
    return true;
}

void COffscreen::Reset() {
    m_dc.reset();  // before the bitmap it holds selected
    m_bitmap.reset();
    m_nWidth = m_nHeight = 0;
}
