// Top-to-bottom flow layout of a parsed page: plain geometry over a text
// measuring function, so the placement of every link and button is testable
// without a window.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "html.h"

namespace standin {

enum class TextStyle { Normal, Heading, Link, Button, Title };

struct TextSize {
    int cx = 0;
    int cy = 0;
};

// The size of a text drawn in a style; level is the heading level (1 to 6).
using MeasureText = std::function<TextSize(const std::wstring& text, TextStyle style, int level)>;

struct Box {
    enum class Kind { Title, Text, Link, Button, Input, Frame };
    Kind kind = Kind::Text;
    int x = 0, y = 0, w = 0, h = 0;
    std::wstring text;
    TextStyle style = TextStyle::Normal;
    int level = 0;
    size_t block = 0;  // index into Document::blocks
    size_t item = 0;   // index into the block's inlines (links, buttons)
    int frame = -1;    // frames: their ordinal in the page, 0 for the first
    bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

struct PageLayout {
    std::vector<Box> boxes;
    int height = 0;  // of the whole page, margins included
};

constexpr int kPageMargin = 8;
constexpr int kBlockGap = 6;
constexpr int kButtonPadX = 8;
constexpr int kButtonPadY = 3;
constexpr int kFrameDefaultHeight = 150;
constexpr int kInputWidth = 160;
constexpr int kInputPadY = 4;

PageLayout LayOutPage(const Document& doc, int width, const MeasureText& measure);
// The link, button or frame under a point; null when there is none.
const Box* HitTest(const PageLayout& layout, int x, int y);

}  // namespace standin
