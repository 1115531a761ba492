// Gives a window the whole of its appearance as one 32-bit picture with
// per-pixel alpha (a layered window): transparent pixels show the desktop
// and let clicks through.
#pragma once

#include "owners/gdi_owners.h"
#include "skin/gdiplus_fwd.h"

#include <cstdint>

// The picture as the system composes it: a bottom-up 32-bit DIB section of
// premultiplied blue, green, red, alpha, cleared to transparent black first.
class CCompositionBuffer {
public:
    CCompositionBuffer(HDC compatible, UINT width, UINT height);
    bool ok() const { return m_bitmap.get() && m_pBits; }
    HBITMAP bitmap() const { return m_bitmap.get(); }
    // Row y counted from the top; pixels as 0xAARRGGBB.
    uint32_t* Row(UINT y) const;
    uint32_t Pixel(UINT x, UINT y) const;

private:
    UINT m_nWidth;
    UINT m_nHeight;
    void* m_pBits = nullptr;
    ScopedGdiObject<HBITMAP> m_bitmap;
};

// Draws picture scaled to the buffer's size into it, through memory (a
// memory context compatible with the buffer).
void ComposeLayeredPicture(Gdiplus::Image& picture, UINT width, UINT height, HDC memory, CCompositionBuffer& buffer);

// Makes window layered and shows picture scaled to width by height, at the
// window's current position. Nothing is reported: when no buffer can be made
// (0 by 0) the window, already layered, shows nothing.
void ShowLayeredImage(Gdiplus::Image& picture, UINT width, UINT height, HWND window, const BLENDFUNCTION& blend);
