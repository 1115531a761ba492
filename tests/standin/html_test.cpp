// The stand-in's HTML reader on the kinds of pages tests and the demo serve.
#include <gtest/gtest.h>

#include "html.h"

using standin::Block;
using standin::DecodeEntities;
using standin::Inline;
using standin::ParseHtml;

TEST(StandinHtml, ReadsTitleHeadingsParagraphsLinksButtonsFramesAndScripts) {
    auto doc = ParseHtml(
        L"<!DOCTYPE html><html><head><title> The  Title </title><style>p { color: red }</style>"
        L"<script>var a = '<p>not text</p>';</script></head><body>"
        L"<h2>News</h2><p>Hello <a href=\"/next.html\" onclick=\"go(); return false;\">next</a> world</p>"
        L"<div><button onclick='login()'>Log in</button><input type=button value=\"Other\" onclick=\"x()\"></div>"
        L"<iframe src=\"frame.html\" width=\"300\" height=\"120\">fallback</iframe>"
        L"<script type=\"text/javascript\">external.go();</script><script src=\"lib.js\"></script>"
        L"<script type=\"text/template\"><p>x</p></script></body></html>");
    EXPECT_EQ(L"The Title", doc.title);
    ASSERT_EQ(2u, doc.scripts.size());
    EXPECT_EQ(L"var a = '<p>not text</p>';", doc.scripts[0]);
    EXPECT_EQ(L"external.go();", doc.scripts[1]);
    ASSERT_EQ(4u, doc.blocks.size());
    EXPECT_EQ(Block::Kind::Heading, doc.blocks[0].kind);
    EXPECT_EQ(2, doc.blocks[0].level);
    EXPECT_EQ(L"News", doc.blocks[0].inlines.at(0).text);

    const auto& p = doc.blocks[1].inlines;
    ASSERT_EQ(3u, p.size());
    EXPECT_EQ(L"Hello ", p[0].text);
    EXPECT_EQ(Inline::Kind::Link, p[1].kind);
    EXPECT_EQ(L"next", p[1].text);
    EXPECT_EQ(L"/next.html", p[1].href);
    EXPECT_EQ(L"go(); return false;", p[1].onclick);
    EXPECT_EQ(L" world", p[2].text);

    const auto& buttons = doc.blocks[2].inlines;
    ASSERT_EQ(2u, buttons.size());
    EXPECT_EQ(Inline::Kind::Button, buttons[0].kind);
    EXPECT_EQ(L"Log in", buttons[0].text);
    EXPECT_EQ(L"login()", buttons[0].onclick);
    EXPECT_EQ(L"Other", buttons[1].text);

    EXPECT_EQ(Block::Kind::Frame, doc.blocks[3].kind);
    EXPECT_EQ(L"frame.html", doc.blocks[3].src);
    EXPECT_EQ(300, doc.blocks[3].width);
    EXPECT_EQ(120, doc.blocks[3].height);
}

TEST(StandinHtml, ReadsTextFieldsAndSkipsOtherInputs) {
    auto doc = ParseHtml(L"<p>Name <input name=user value=\"bob\"> <input type=password id=pw name=other>"
                         L"<input type=hidden name=h value=1><input type=checkbox></p>");
    const auto& p = doc.blocks.at(0).inlines;
    ASSERT_EQ(4u, p.size());
    EXPECT_EQ(Inline::Kind::Input, p[1].kind);
    EXPECT_EQ(L"user", p[1].id);
    EXPECT_EQ(L"bob", p[1].text);
    EXPECT_FALSE(p[1].password);
    EXPECT_EQ(L"pw", p[3].id);  // the id wins over the name
    EXPECT_TRUE(p[3].password);
}

TEST(StandinHtml, ToleratesBrokenMarkupAndCollapsesWhitespace) {
    auto doc = ParseHtml(L"a < b and\n\n  c <b>bold</b><!-- <a href=x>hidden</a> --> <P>unclosed <A HREF=bare>link");
    ASSERT_EQ(2u, doc.blocks.size());
    EXPECT_EQ(L"a < b and c bold", doc.blocks[0].inlines.at(0).text);
    const auto& p = doc.blocks[1].inlines;
    ASSERT_EQ(2u, p.size());
    EXPECT_EQ(L"unclosed ", p[0].text);
    EXPECT_EQ(L"bare", p[1].href);
    EXPECT_EQ(L"link", p[1].text);
    // An unterminated script or comment swallows the rest, nothing more.
    EXPECT_EQ(1u, ParseHtml(L"<p>x</p><script>never closed").scripts.size());
    EXPECT_EQ(1u, ParseHtml(L"<p>x</p><!-- open").blocks.size());
    EXPECT_TRUE(ParseHtml(L"").blocks.empty());
}

TEST(StandinHtml, DecodesEntitiesInTextAndAttributesButNotInScripts) {
    EXPECT_EQ(L"<a & \"b\" 'c'>\xA0", DecodeEntities(L"&lt;a &amp; &quot;b&quot; &apos;c&apos;&gt;&nbsp;"));
    EXPECT_EQ(L"\x4E2D\x6587 A", DecodeEntities(L"&#20013;&#x6587; &#65;"));
    EXPECT_EQ(std::wstring(L"\xD83D\xDE00"), DecodeEntities(L"&#x1F600;"));
    EXPECT_EQ(L"&unknown; & &;", DecodeEntities(L"&unknown; & &;"));
    auto doc = ParseHtml(L"<a onclick=\"say(&quot;hi&quot;)\">x</a><script>if (a &amp;&amp; b) {}</script>");
    EXPECT_EQ(L"say(\"hi\")", doc.blocks.at(0).inlines.at(0).onclick);
    EXPECT_EQ(L"if (a &amp;&amp; b) {}", doc.scripts.at(0));
}
