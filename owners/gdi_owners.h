// Owners of GDI handles: device contexts, paint scopes, selections, clip
// regions, GDI objects (bitmaps, regions, fonts, brushes) and icons. The one
// set the program, its tests and the tools use; header-only, so the stand-in
// control and the test programs include it without linking the framework.
#pragma once

#include <windows.h>

#include <utility>

// A device context from GetDC (the client area) or GetWindowDC (the whole
// window, frame included), released at the end of the scope.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : m_hWnd(window), m_hDC(GetDC(window)) {}
    static ScopedWindowDC WholeWindow(HWND window) { return ScopedWindowDC(window, GetWindowDC(window)); }
    ~ScopedWindowDC() { if (m_hDC) ReleaseDC(m_hWnd, m_hDC); }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC get() const { return m_hDC; }

private:
    ScopedWindowDC(HWND window, HDC dc) : m_hWnd(window), m_hDC(dc) {}
    HWND m_hWnd;
    HDC m_hDC;
};

// A device context the program created (CreateCompatibleDC, CreateICA),
// deleted with DeleteDC.
class ScopedDC {
public:
    explicit ScopedDC(HDC created = nullptr) : m_hDC(created) {}
    ~ScopedDC() { reset(); }
    ScopedDC(ScopedDC&& other) noexcept : m_hDC(std::exchange(other.m_hDC, nullptr)) {}
    ScopedDC& operator=(ScopedDC&& other) noexcept {
        if (this != &other) reset(std::exchange(other.m_hDC, nullptr));
        return *this;
    }
    HDC get() const { return m_hDC; }
    void reset(HDC created = nullptr) {
        if (m_hDC) DeleteDC(m_hDC);
        m_hDC = created;
    }

private:
    HDC m_hDC;
};

// A memory device context compatible with another (null: the screen).
class ScopedMemoryDC : public ScopedDC {
public:
    explicit ScopedMemoryDC(HDC compatible) : ScopedDC(CreateCompatibleDC(compatible)) {}
};

// BeginPaint and EndPaint around one WM_PAINT handler.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : m_hWnd(window), m_hDC(BeginPaint(window, &m_ps)) {}
    ~ScopedPaint() { EndPaint(m_hWnd, &m_ps); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC get() const { return m_hDC; }
    const PAINTSTRUCT& info() const { return m_ps; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps = {};
    HDC m_hDC;
};

// One GDI object (HBITMAP, HRGN, HFONT, HBRUSH, ...), deleted with DeleteObject.
template <typename Handle>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(Handle object = nullptr) : m_hObject(object) {}
    ~ScopedGdiObject() { reset(); }
    ScopedGdiObject(ScopedGdiObject&& other) noexcept : m_hObject(std::exchange(other.m_hObject, nullptr)) {}
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
        if (this != &other) reset(std::exchange(other.m_hObject, nullptr));
        return *this;
    }
    Handle get() const { return m_hObject; }
    void reset(Handle object = nullptr) {
        if (m_hObject) DeleteObject(m_hObject);
        m_hObject = object;
    }
    // Gives the handle up to a new owner.
    Handle release() { return std::exchange(m_hObject, nullptr); }

private:
    Handle m_hObject;
};

using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;

// Selects an object into a device context until the end of the scope.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(SelectObject(dc, object)) {}
    ~ScopedSelection() { if (m_hOld) SelectObject(m_hDC, m_hOld); }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// A clip region on a device context until the end of the scope (the context
// keeps its own copy of the region).
class ScopedClipRegion {
public:
    ScopedClipRegion(HDC dc, HRGN region) : m_hDC(dc) { SelectClipRgn(dc, region); }
    ~ScopedClipRegion() { SelectClipRgn(m_hDC, nullptr); }
    ScopedClipRegion(const ScopedClipRegion&) = delete;
    ScopedClipRegion& operator=(const ScopedClipRegion&) = delete;

private:
    HDC m_hDC;
};

// An icon the program made (CopyImage, CreateIconIndirect), destroyed with
// DestroyIcon. Icons from LoadIcon are shared and need no owner.
class ScopedIcon {
public:
    explicit ScopedIcon(HICON icon = nullptr) : m_hIcon(icon) {}
    ~ScopedIcon() { reset(); }
    ScopedIcon(const ScopedIcon&) = delete;
    ScopedIcon& operator=(const ScopedIcon&) = delete;
    HICON get() const { return m_hIcon; }
    void reset(HICON icon = nullptr) {
        if (m_hIcon) DestroyIcon(m_hIcon);
        m_hIcon = icon;
    }

private:
    HICON m_hIcon;
};
