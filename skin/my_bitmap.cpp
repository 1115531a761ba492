// CMyBitmap's reloading, measuring and drawing, and the colour-keyed copy.
#include "skin/skin_bitmap.h"

void DrawTransparentBitmap(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sx, int sy,
                           COLORREF key, HPALETTE palette) {
    if (!bitmap || width <= 0 || height <= 0) {
        return;
    }
    ScopedMemoryDC image(target), mask(target), source(target);
    ScopedBitmap imageBitmap(CreateCompatibleBitmap(target, width, height));
    ScopedBitmap maskBitmap(CreateBitmap(width, height, 1, 1, nullptr));
    if (!image.get() || !mask.get() || !source.get() || !imageBitmap.get() || !maskBitmap.get()) {
        return;
    }
    ScopedSelection imageSelected(image.get(), imageBitmap.get());
    HPALETTE oldTargetPalette = nullptr, oldImagePalette = nullptr;
    const bool usePalette = palette && (GetDeviceCaps(target, RASTERCAPS) & RC_PALETTE);
    if (usePalette) {
        oldTargetPalette = SelectPalette(target, palette, FALSE);
        RealizePalette(target);
        oldImagePalette = SelectPalette(image.get(), palette, FALSE);
    }
    {
        ScopedSelection sourceSelected(source.get(), bitmap);
        BitBlt(image.get(), 0, 0, width, height, source.get(), sx, sy, SRCCOPY);
    }
    ScopedSelection maskSelected(mask.get(), maskBitmap.get());
    // Key-coloured pixels become 1 in the mask, all others 0.
    SetBkColor(image.get(), key);
    BitBlt(mask.get(), 0, 0, width, height, image.get(), 0, 0, SRCCOPY);
    // Blacken the key pixels of the image ...
    SetBkColor(image.get(), RGB(0, 0, 0));
    SetTextColor(image.get(), RGB(255, 255, 255));
    BitBlt(image.get(), 0, 0, width, height, mask.get(), 0, 0, SRCAND);
    // ... and the target where the image is opaque, then OR the image in.
    const COLORREF oldBk = SetBkColor(target, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
    BitBlt(target, x, y, width, height, mask.get(), 0, 0, SRCAND);
    BitBlt(target, x, y, width, height, image.get(), 0, 0, SRCPAINT);
    SetBkColor(target, oldBk);
    SetTextColor(target, oldText);
    if (usePalette) {
        SelectPalette(image.get(), oldImagePalette, FALSE);
        SelectPalette(target, oldTargetPalette, FALSE);
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
