#include "layout.h"

#include <algorithm>

namespace standin {

namespace {

bool IsWide(wchar_t c) { return c >= 0x2E80; }  // CJK and beyond: a line may break after any of them

// Splits text into pieces a line may break between: a word with its
// following space, or a single wide character.
std::vector<std::wstring> BreakPieces(const std::wstring& text) {
    std::vector<std::wstring> pieces;
    std::wstring cur;
    for (wchar_t c : text) {
        if (IsWide(c)) {
            if (!cur.empty()) pieces.push_back(cur);
            pieces.push_back(std::wstring(1, c));
            cur.clear();
            continue;
        }
        if (!cur.empty() && cur.back() == L' ' && c != L' ') {
            pieces.push_back(cur);
            cur.clear();
        }
        cur += c;
    }
    if (!cur.empty()) pieces.push_back(cur);
    return pieces;
}

class Flow {
public:
    Flow(int width, const MeasureText& measure, PageLayout* out)
        : left_(kPageMargin), right_(std::max(width - kPageMargin, kPageMargin + 1)), measure_(measure), out_(out) {}

    void Block(const Document& doc, size_t index);
    int Bottom() const { return y_; }
    void Skip(int dy) { y_ += dy; }

private:
    void Place(Box box);
    void NewLine();
    void Text(const std::wstring& text, TextStyle style, int level, size_t block);

    int left_, right_;
    const MeasureText& measure_;
    PageLayout* out_;
    int x_ = kPageMargin;
    int y_ = kPageMargin;
    int lineHeight_ = 0;
    size_t lineStart_ = 0;  // first box of the current line
    int frames_ = 0;
};

void Flow::NewLine() {
    if (lineHeight_ > 0) {
        // Boxes of one line share its baseline band: centre the smaller ones.
        for (size_t i = lineStart_; i < out_->boxes.size(); ++i)
            out_->boxes[i].y += (lineHeight_ - out_->boxes[i].h) / 2;
        y_ += lineHeight_;
    }
    x_ = left_;
    lineHeight_ = 0;
    lineStart_ = out_->boxes.size();
}

void Flow::Place(Box box) {
    if (x_ > left_ && x_ + box.w > right_) NewLine();
    box.x = x_;
    box.y = y_;
    x_ += box.w;
    lineHeight_ = std::max(lineHeight_, box.h);
    // Consecutive text pieces of one style on one line become one box.
    if (out_->boxes.size() > lineStart_) {
        Box& last = out_->boxes.back();
        if (box.kind == Box::Kind::Text && last.kind == Box::Kind::Text && last.style == box.style &&
            last.block == box.block && last.x + last.w == box.x && last.h == box.h) {
            last.text += box.text;
            last.w += box.w;
            return;
        }
    }
    out_->boxes.push_back(box);
}

void Flow::Text(const std::wstring& text, TextStyle style, int level, size_t block) {
    for (const std::wstring& piece : BreakPieces(text)) {
        if (x_ == left_ && piece == L" ") continue;
        TextSize size = measure_(piece, style, level);
        Box box;
        box.kind = Box::Kind::Text;
        box.w = size.cx;
        box.h = size.cy;
        box.text = piece;
        box.style = style;
        box.level = level;
        box.block = block;
        Place(box);
    }
}

void Flow::Block(const Document& doc, size_t index) {
    const standin::Block& block = doc.blocks[index];
    NewLine();
    if (block.kind == Block::Kind::Frame) {
        Box box;
        box.kind = Box::Kind::Frame;
        box.w = block.width > 0 ? std::min(block.width, right_ - left_) : right_ - left_;
        box.h = block.height > 0 ? block.height : kFrameDefaultHeight;
        box.block = index;
        box.frame = frames_++;
        box.text = block.src;
        Place(box);
    } else {
        bool heading = block.kind == Block::Kind::Heading;
        TextStyle style = heading ? TextStyle::Heading : TextStyle::Normal;
        for (size_t i = 0; i < block.inlines.size(); ++i) {
            const Inline& item = block.inlines[i];
            if (item.kind == Inline::Kind::Text) {
                Text(item.text, style, block.level, index);
                continue;
            }
            if (item.kind == Inline::Kind::Input) {
                Box box;
                box.kind = Box::Kind::Input;
                box.w = std::min(kInputWidth, right_ - left_);
                box.h = measure_(L"Ag", TextStyle::Normal, 0).cy + 2 * kInputPadY;
                box.text = item.id;
                box.block = index;
                box.item = i;
                Place(box);
                continue;
            }
            // Links and buttons are clicked as a whole: they never break.
            bool link = item.kind == Inline::Kind::Link;
            TextStyle s = link ? TextStyle::Link : TextStyle::Button;
            std::wstring label = item.text.empty() && link ? item.href : item.text;
            TextSize size = measure_(label, s, block.level);
            Box box;
            box.kind = link ? Box::Kind::Link : Box::Kind::Button;
            box.w = std::min(size.cx + (link ? 0 : 2 * kButtonPadX), right_ - left_);
            box.h = size.cy + (link ? 0 : 2 * kButtonPadY);
            box.text = label;
            box.style = s;
            box.level = block.level;
            box.block = index;
            box.item = i;
            Place(box);
        }
    }
    NewLine();
    y_ += kBlockGap;
}

}  // namespace

PageLayout LayOutPage(const Document& doc, int width, const MeasureText& measure) {
    PageLayout layout;
    Flow flow(width, measure, &layout);
    if (!doc.title.empty()) {
        TextSize size = measure(doc.title, TextStyle::Title, 0);
        Box title;
        title.kind = Box::Kind::Title;
        title.x = 0;
        title.y = 0;
        title.w = std::max(width, 1);
        title.h = size.cy + 2 * kPageMargin;
        title.text = doc.title;
        title.style = TextStyle::Title;
        layout.boxes.push_back(title);
        flow.Skip(title.h);
    }
    for (size_t i = 0; i < doc.blocks.size(); ++i) flow.Block(doc, i);
    layout.height = flow.Bottom() + kPageMargin;
    return layout;
}

const Box* HitTest(const PageLayout& layout, int x, int y) {
    for (const Box& box : layout.boxes) {
        bool active = box.kind == Box::Kind::Link || box.kind == Box::Kind::Button || box.kind == Box::Kind::Frame;
        if (active && box.Contains(x, y)) return &box;
    }
    return nullptr;
}

}  // namespace standin
