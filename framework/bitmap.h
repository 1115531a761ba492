// CBitmap: owns one GDI bitmap (null when empty) and deletes it with the
// object. The base of the skin's bitmap classes.
#pragma once
#include "owners/gdi_owners.h"

class CBitmap {
public:
    CBitmap() = default;
    virtual ~CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    HBITMAP GetSafeHandle() const { return m_bitmap.get(); }
    operator HBITMAP() const { return GetSafeHandle(); }

    // Takes ownership of bitmap; fails (FALSE) while one is held.
    BOOL Attach(HBITMAP bitmap) {
        if (m_bitmap.get() || !bitmap) return FALSE;
        m_bitmap.reset(bitmap);
        return TRUE;
    }
    HBITMAP Detach() { return m_bitmap.release(); }
    // Deletes the held bitmap; FALSE when there was none.
    BOOL DeleteObject() {
        if (!m_bitmap.get()) return FALSE;
        m_bitmap.reset();
        return TRUE;
    }
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height) {
        return Attach(::CreateCompatibleBitmap(dc, width, height));
    }
    // The held bitmap's BITMAP record; 0 when empty.
    int GetBitmap(BITMAP* info) const {
        return m_bitmap.get() ? GetObjectA(m_bitmap.get(), sizeof(BITMAP), info) : 0;
    }

private:
    ScopedBitmap m_bitmap;
};
