// CSkinButton: one caption button, a strip of equal frames.
#include "skin/frame_geometry.h"
#include "skin/skin_bitmap.h"

bool CSkinButton::ReloadResource(UINT id, LPCSTR type, HMODULE module, COLORREF background) {
    m_keyed.Reset();  // a new bitmap may reuse the old one's handle
    return CMyBitmap::ReloadResource(id, type, module, background);
}

bool CSkinButton::ReloadFile(const char* path) {
    m_keyed.Reset();
    return CMyBitmap::ReloadFile(path);
}

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
    if (!transparent) {
        CMyBitmap::Draw(dc, placed.left, placed.top, &source, key, false, false);
        return;
    }
    if (!m_keyed.IsPrepared() || m_keyed.Key() != key) {
        m_keyed.Prepare(dc, GetSafeHandle(), 0, 0, Width(), Height(), key);
    }
    m_keyed.Draw(dc, placed.left, placed.top, source.right - source.left, source.bottom - source.top, source.left,
                 source.top);
}
