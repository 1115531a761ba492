// Flow layout with a fixed-width measure: every character 10 by 16 pixels,
// headings 20 by 30, so positions can be worked out by hand.
#include <gtest/gtest.h>

#include "html.h"
#include "layout.h"

using standin::Box;
using standin::HitTest;
using standin::LayOutPage;
using standin::ParseHtml;
using standin::TextSize;
using standin::TextStyle;

namespace {

TextSize Fixed(const std::wstring& text, TextStyle style, int) {
    int w = style == TextStyle::Heading ? 20 : 10;
    int h = style == TextStyle::Heading ? 30 : 16;
    return {static_cast<int>(text.size()) * w, h};
}

std::vector<const Box*> OfKind(const standin::PageLayout& layout, Box::Kind kind) {
    std::vector<const Box*> out;
    for (const Box& b : layout.boxes)
        if (b.kind == kind) out.push_back(&b);
    return out;
}

}  // namespace

TEST(StandinLayout, FlowsBlocksTopToBottomUnderTheTitleBand) {
    auto doc = ParseHtml(L"<title>T</title><h1>Hi</h1><p>ab <a href=x>link</a></p><button>Go</button>");
    auto layout = LayOutPage(doc, 400, Fixed);
    const Box& title = layout.boxes.at(0);
    EXPECT_EQ(Box::Kind::Title, title.kind);
    EXPECT_EQ(400, title.w);
    EXPECT_EQ(16 + 2 * standin::kPageMargin, title.h);

    auto text = OfKind(layout, Box::Kind::Text);
    ASSERT_EQ(2u, text.size());
    EXPECT_EQ(L"Hi", text[0]->text);
    EXPECT_EQ(8, text[0]->x);
    EXPECT_EQ(title.h + 8, text[0]->y);
    EXPECT_EQ(L"ab ", text[1]->text);
    EXPECT_EQ(text[0]->y + 30 + standin::kBlockGap, text[1]->y);

    auto links = OfKind(layout, Box::Kind::Link);
    ASSERT_EQ(1u, links.size());
    EXPECT_EQ(8 + 30, links[0]->x);
    EXPECT_EQ(text[1]->y, links[0]->y);
    EXPECT_EQ(40, links[0]->w);

    auto buttons = OfKind(layout, Box::Kind::Button);
    ASSERT_EQ(1u, buttons.size());
    EXPECT_EQ(20 + 2 * standin::kButtonPadX, buttons[0]->w);
    EXPECT_EQ(16 + 2 * standin::kButtonPadY, buttons[0]->h);
    EXPECT_EQ(buttons[0]->y + buttons[0]->h + standin::kBlockGap + standin::kPageMargin, layout.height);
}

TEST(StandinLayout, WrapsWordsAndChineseCharactersButNeverALink) {
    // 100 pixels wide: 84 for text, 8 characters a line.
    auto doc = ParseHtml(L"<p>aaa bbb ccc \x4E00\x4E8C\x4E09\x56DB\x4E94\x516D\x4E03\x516B\x4E5D <a href=x>longlinktext</a></p>");
    auto layout = LayOutPage(doc, 100, Fixed);
    auto text = OfKind(layout, Box::Kind::Text);
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(L"aaa bbb ", text[0]->text);
    EXPECT_EQ(L"ccc \x4E00\x4E8C\x4E09\x56DB", text[1]->text);
    EXPECT_EQ(text[0]->y + 16, text[1]->y);
    for (const Box* b : text) EXPECT_LE(b->x + b->w, 92) << standin::kPageMargin;
    auto links = OfKind(layout, Box::Kind::Link);
    ASSERT_EQ(1u, links.size());
    EXPECT_EQ(8, links[0]->x);
    EXPECT_EQ(84, links[0]->w);  // clipped to the line, in one piece
}

TEST(StandinLayout, FramesTakeTheirSizeOrTheLineAndHitTestingFindsWhatIsClickable) {
    auto doc = ParseHtml(L"<p><a href=a>one</a> <button>two</button></p><iframe src=f.html></iframe>"
                         L"<iframe src=g.html width=100 height=40></iframe>");
    auto layout = LayOutPage(doc, 300, Fixed);
    auto frames = OfKind(layout, Box::Kind::Frame);
    ASSERT_EQ(2u, frames.size());
    EXPECT_EQ(284, frames[0]->w);
    EXPECT_EQ(standin::kFrameDefaultHeight, frames[0]->h);
    EXPECT_EQ(0, frames[0]->frame);
    EXPECT_EQ(100, frames[1]->w);
    EXPECT_EQ(40, frames[1]->h);
    EXPECT_EQ(1, frames[1]->frame);

    const Box* link = OfKind(layout, Box::Kind::Link)[0];
    const Box* button = OfKind(layout, Box::Kind::Button)[0];
    EXPECT_EQ(link, HitTest(layout, link->x, link->y));
    EXPECT_EQ(link, HitTest(layout, link->x + link->w - 1, link->y + link->h - 1));
    EXPECT_EQ(nullptr, HitTest(layout, link->x + link->w, link->y));  // the space between
    EXPECT_EQ(button, HitTest(layout, button->x + 2, button->y + 2));
    EXPECT_EQ(frames[0], HitTest(layout, 20, frames[0]->y + 5));
    EXPECT_EQ(nullptr, HitTest(layout, 2, 2));
    EXPECT_EQ(0u, link->item);
    EXPECT_EQ(2u, button->item);
}
