// Fonts, text measuring and GDI painting of a frame tree.
#pragma once
#include <windows.h>

#include <string>

#include "layout.h"

namespace standin {

class Frame;

// Owns one GDI object and deletes it.
class GdiObject {
public:
    explicit GdiObject(HGDIOBJ h = nullptr) : h_(h) {}
    ~GdiObject() { if (h_) DeleteObject(h_); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    HGDIOBJ Get() const { return h_; }
    void Reset(HGDIOBJ h) { if (h_) DeleteObject(h_); h_ = h; }

private:
    HGDIOBJ h_;
};

// A device context made with CreateCompatibleDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDc() { if (dc_) DeleteDC(dc_); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a DC for a scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

class PaintResources {
public:
    PaintResources();
    PaintResources(const PaintResources&) = delete;
    PaintResources& operator=(const PaintResources&) = delete;

    TextSize Measure(const std::wstring& text, TextStyle style, int level);
    HFONT Font(TextStyle style, int level) const;
    const std::wstring& face() const { return face_; }

private:
    std::wstring face_;
    GdiObject normal_, link_, button_, title_, h1_, h2_, h3_;
    MemoryDc measureDc_;
};

// Paints a frame and its sub-frames at their rectangles, shifted up by scrollY.
void PaintFrame(HDC dc, const Frame& frame, const PaintResources& res, int scrollY);

}  // namespace standin
