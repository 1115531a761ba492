// COffscreen: a bitmap compatible with a window's device context, held
// selected into a memory context of its own. The skin draws a piece of its
// frame into one once per size and copies it from there at every paint.
#pragma once

#include "owners/gdi_owners.h"

class COffscreen {
public:
    // Makes a width by height bitmap compatible with dc unless one of that
    // size is held already. True when a new one was made: its pixels are not
    // drawn yet. Nothing is held after a size of 0 or less.
    bool Resize(HDC dc, int width, int height);
    void Reset();

    HDC GetDC() const { return m_dc.get(); }
    bool IsEmpty() const { return !m_dc.get(); }

private:
    // The bitmap first: the context that holds it selected goes first.
    ScopedBitmap m_bitmap;
    ScopedDC m_dc;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
