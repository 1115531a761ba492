// Owners of the GDI handles the skin takes for the length of one call.
#pragma once

#include <windows.h>

class CWindowDC {
public:
    explicit CWindowDC(HWND window) : m_hWnd(window), m_hDC(GetDC(window)) {}
    ~CWindowDC() { if (m_hDC) ReleaseDC(m_hWnd, m_hDC); }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    HDC get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatible) : m_hDC(CreateCompatibleDC(compatible)) {}
    ~CMemoryDC() { if (m_hDC) DeleteDC(m_hDC); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    HDC get() const { return m_hDC; }

private:
    HDC m_hDC;
};

template <typename Handle>
class CGdiObject {
public:
    explicit CGdiObject(Handle object = nullptr) : m_hObject(object) {}
    ~CGdiObject() { if (m_hObject) DeleteObject(m_hObject); }
    CGdiObject(CGdiObject&& other) noexcept : m_hObject(other.m_hObject) { other.m_hObject = nullptr; }
    CGdiObject& operator=(CGdiObject&& other) noexcept {
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
class CSelection {
public:
    CSelection(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(SelectObject(dc, object)) {}
    ~CSelection() { SelectObject(m_hDC, m_hOld); }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
