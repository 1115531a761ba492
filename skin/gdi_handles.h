// Owners of the GDI handles the skin takes for the length of one call.
#pragma once

#include <windows.h>

class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : m_hWnd(window), m_hDC(GetDC(window)) {}
    ~ScopedWindowDC() { if (m_hDC) ReleaseDC(m_hWnd, m_hDC); }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC compatible) : m_hDC(CreateCompatibleDC(compatible)) {}
    ~ScopedMemoryDC() { if (m_hDC) DeleteDC(m_hDC); }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    HDC get() const { return m_hDC; }

private:
    HDC m_hDC;
};

template <typename Handle>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(Handle object = nullptr) : m_hObject(object) {}
    ~ScopedGdiObject() { if (m_hObject) DeleteObject(m_hObject); }
    ScopedGdiObject(ScopedGdiObject&& other) noexcept : m_hObject(other.m_hObject) { other.m_hObject = nullptr; }
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
        if (this != &other) {
            if (m_hObject) DeleteObject(m_hObject);
            m_hObject = other.m_hObject;
            other.m_hObject = nullptr;
        }
        return *this;
    }
    Handle get() const { return m_hObject; }

private:
    Handle m_hObject;
};

// Selects an object into a device context until the end of the scope.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(SelectObject(dc, object)) {}
    ~ScopedSelection() { SelectObject(m_hDC, m_hOld); }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
