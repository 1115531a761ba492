// Fonts, text measuring and GDI painting of a frame tree.
#pragma once
#include <windows.h>

#include "owners/gdi_owners.h"

#include <string>

#include "layout.h"

namespace standin {

class Frame;

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
    ScopedFont normal_, link_, button_, title_, h1_, h2_, h3_;
    ScopedMemoryDC measureDc_;
};

// Paints a frame and its sub-frames at their rectangles, shifted up by scrollY.
void PaintFrame(HDC dc, const Frame& frame, const PaintResources& res, int scrollY);

}  // namespace standin
