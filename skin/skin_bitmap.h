// The skin's images: CEnBitmap decodes bitmap resources and picture files
// through the system's picture decoder into screen-compatible bitmaps;
// CMyBitmap reloads, measures, draws (plain, stretched, or with a key colour
// left out) and turns a bitmap into a window region; CSkinButton is one
// caption button, a strip of equal frames placed from the window's right edge.
#pragma once

#include "framework/bitmap.h"
#include "owners/com_ptr.h"

#include <ocidl.h>
#include <olectl.h>

// A background of this value leaves a new bitmap unfilled before rendering.
inline constexpr COLORREF kNoBackground = static_cast<COLORREF>(-1);

// With no buffer: stores the resource's size and returns true. With a buffer
// whose stated size holds the resource: copies its bytes and returns true.
// False when the resource cannot be found, loaded or locked, or the buffer is
// too small.
bool ReadResourceBytes(LPCSTR name, LPCSTR type, HMODULE module, void* buffer, DWORD* size);

// A picture decoded by the system from bytes (bitmap, icon, GIF, JPEG), or none.
ComPtr<IPicture> PictureFromBytes(const void* bytes, size_t length);

// Part of a bitmap made ready to draw with one colour left out, in two raster
// operations and no set-up: the pixels with the key colour blackened, and
// below them a mask, white where the key colour is and black elsewhere, both
// held selected into a memory context of their own.
class CKeyedImage {
public:
    // From width by height pixels of bitmap at (sx, sy), in a format
    // compatible with dc. False, holding nothing, when GDI refuses.
    bool Prepare(HDC dc, HBITMAP bitmap, int sx, int sy, int width, int height, COLORREF key);
    void Reset();
    bool IsPrepared() const { return m_dc.get() != nullptr; }
    COLORREF Key() const { return m_crKey; }
    // Draws width by height prepared pixels from (sx, sy) to (x, y) on target,
    // the key colour left out.
    void Draw(HDC target, int x, int y, int width, int height, int sx, int sy) const;

private:
    // The bitmap first: the context that holds it selected goes first.
    ScopedBitmap m_bitmap;
    ScopedDC m_dc;
    int m_nHeight = 0;
    COLORREF m_crKey = 0;
};

// Draws width by height pixels of bitmap from (sx, sy) to (x, y) on target,
// leaving out every pixel of the key colour.
void DrawTransparentBitmap(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sx, int sy,
                           COLORREF key);

class CEnBitmap : public CBitmap {
public:
    // The resource id is an integer name; type 2 (RT_BITMAP) for bitmaps.
    // False, keeping the old bitmap, when one is held already.
    bool LoadImageResource(UINT id, LPCSTR type, HMODULE module, COLORREF background);
    bool LoadImageFile(const char* path, COLORREF background);
    // Renders picture into a new bitmap of its size in pixels and owns it.
    bool AttachPicture(IPicture* picture, COLORREF background);
};

class CMyBitmap : public CEnBitmap {
public:
    // Deletes the held bitmap first, then loads.
    virtual bool ReloadResource(UINT id, LPCSTR type, HMODULE module, COLORREF background);
    virtual bool ReloadFile(const char* path);

    int Width() const;
    int Height() const;
    // With transparent: DrawTransparentBitmap of the source rectangle with key
    // left out; otherwise DrawOpaque.
    bool Draw(HDC dc, int x, int y, const RECT* source, COLORREF key, bool transparent, bool stretch) const;
    // No source: the whole bitmap at its size. stretch: the whole bitmap into
    // the source's width and height. Otherwise the source part, unscaled.
    bool DrawOpaque(HDC dc, int x, int y, const RECT* source, bool stretch) const;
    // A new region (the caller's) of every pixel whose colour differs from key.
    HRGN CreateRegion(COLORREF key) const;
};

class CSkinButton : public CMyBitmap {
public:
    bool ReloadResource(UINT id, LPCSTR type, HMODULE module, COLORREF background) override;
    bool ReloadFile(const char* path) override;
    // Loads bitmap resource id and places the button offset pixels left of
    // the window's right edge (to its own right edge), top pixels down.
    bool LoadStrip(UINT id, int offsetFromRight, int top, int hitCode);
    // The button's rectangle relative to a window of that screen rectangle.
    RECT GetPlacedRect(const RECT& window) const;
    // Frame m_nState at the button's place; nothing without an image.
    void Draw(HDC dc, const RECT& window, COLORREF key, bool transparent) const;
    void SetState(int state) { m_nState = state; }

    int m_nHitCode = -2;
    RECT m_rcPlace = {};
    int m_nFrames = 3;
    int m_nState = 0;
    // The frame the skin's caption buffer shows; -1 before it is drawn there.
    int m_nShownState = -1;

private:
    // The whole strip made ready for keyed drawing at its first keyed draw,
    // so a hover costs two raster operations, not a mask made afresh.
    mutable CKeyedImage m_keyed;
};
