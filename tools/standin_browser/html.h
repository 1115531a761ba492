// A small tolerant HTML reader for the pages the tests and the demo serve:
// title, headings, paragraphs, links, buttons, text fields, iframes and
// inline scripts.
// Anything else is read as text or skipped; nothing is ever an error.
#pragma once
#include <string>
#include <vector>

namespace standin {

struct Inline {
    enum class Kind { Text, Link, Button, Input };
    Kind kind = Kind::Text;
    std::wstring text;     // inputs: the initial value
    std::wstring href;     // links
    std::wstring onclick;  // links and buttons
    std::wstring id;       // inputs: id, else name
    bool password = false; // inputs
};

struct Block {
    enum class Kind { Paragraph, Heading, Frame };
    Kind kind = Kind::Paragraph;
    int level = 0;         // headings: 1 to 6
    std::vector<Inline> inlines;
    std::wstring src;      // frames
    int width = 0;         // frames: from the attributes, 0 when absent
    int height = 0;
};

struct Document {
    std::wstring title;
    std::vector<Block> blocks;
    std::vector<std::wstring> scripts;  // inline scripts, in page order
};

Document ParseHtml(const std::wstring& html);

// &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references.
std::wstring DecodeEntities(const std::wstring& text);

}  // namespace standin
