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

class PaintResources {
public:
    PaintResources();
    ~PaintResources();
    PaintResources(const PaintResources&) = delete;
    PaintResources& operator=(const PaintResources&) = delete;

    TextSize Measure(const std::wstring& text, TextStyle style, int level);
    HFONT Font(TextStyle style, int level) const;
    const std::wstring& face() const { return face_; }

private:
    std::wstring face_;
    GdiObject normal_, link_, button_, title_, h1_, h2_, h3_;
    HDC measureDc_;
};

// Paints a frame and its sub-frames at their rectangles, shifted up by scrollY.
void PaintFrame(HDC dc, const Frame& frame, const PaintResources& res, int scrollY);

}  // namespace standin
