// CSkinButton: one caption button, a strip of equal frames.
#include "skin/frame_geometry.h"
#include "skin/skin_bitmap.h"

bool CSkinButton::LoadStrip(UINT id, int offsetFromRight, int top, int hitCode) {
    ReloadResource(id, RT_BITMAP, GetModuleHandleA(nullptr), 0);
    m_rcPlace = skin::ButtonPlace(offsetFromRight, top, Width(), m_nFrames, Height());
    m_nHitCode = hitCode;
    return true;
}

RECT CSkinButton::GetPlacedRect(const RECT& window) const {
    return skin::PlacedRect(m_rcPlace, window.right - window.left);
}

void CSkinButton::Draw(HDC dc, const RECT& window, COLORREF key, bool transparent) const {
    if (!GetSafeHandle()) {
        return;
    }
    const RECT placed = GetPlacedRect(window);
    const RECT source = skin::FrameSource(m_nState, placed.right - placed.left, Height());
    CMyBitmap::Draw(dc, placed.left, placed.top, &source, key, transparent, false);
}
