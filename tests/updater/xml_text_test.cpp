// Manifest text: the nesting rule against TinyXML's own reading, and the
// printed form that is saved only when it reads back the same.
#include <gtest/gtest.h>

#include <string>

#include "element_depth.h"
#include "xml_text.h"

namespace zarnel {
namespace {

constexpr int kRefused = -1;

// As a publisher writes it, after the transport's conversion to code page
// 936. The notes end in E6, which UTF-8 would take with the quote after it.
const std::string kManifest =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!-- written by the release tool -->\n"
    "<manifest>\n"
    "  <release version=\"1.0.1\" notes=\"\xd5\xfd\xca\xbd\xb0\xe6\"/>\n"
    "  <file path=\"data\\\" name=\"\xb5\xd8\xcd\xbc.dat\" size=\"50331648\" sha256=\"a71b04cd\"\n"
    "        url=\"files/demo_pack.dat\"/>\n"
    "</manifest>\n";

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

std::string Attributes(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += " a" + std::to_string(i) + "=\"\"";
    return out;
}

// Each text's depth is the one TinyXML reaches: the rule accepts it at that
// limit and not one below, and the parser then reads exactly those levels.
TEST(XmlNesting, CountsTheLevelsTheParserOpensAndRefusesWhatItCannotVouchFor) {
    struct Row {
        const char* what;
        std::string text;
        int depth;
    };
    const Row rows[] = {
        {"a manifest", kManifest, 2},
        {"empty elements", "<a><b><c/></b><b>x</b></a>", 3},
        // TinyXML ends the unknown node <"> at its '>', not at a later quote.
        {"a quote in an unknown node", "<\">" + Repeat("<a>", 5) + "\"" + Repeat("</a>", 5), 5},
        {"the same, never closed", "<\">" + Repeat("<a>", 5) + "\"", kRefused},
        // F0 would lead a four-byte UTF-8 character; read as bytes each <a>
        // closes, and the trailing end tags are unknown nodes.
        {"bytes, whatever the declaration",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + Repeat("<a>\xF0\xA1</a>", 5) + Repeat("</a>", 5), 1},
        {"markup in comments, CDATA, declarations and quotes",
         "<?xml version=\"1.0\"?><!DOCTYPE a><!-- <b><b><b> -->"
         "<a t=\"<b>\" u='/>'><![CDATA[<b><b>]]></a>",
         1},
        {"references and a spaced end tag", "<a x=\"&quot;&#62;&#x3C;\"><b>&lt;&#9;&amp;</b ></a>", 2},
        {"a byte-order mark and CR line ends", "\xEF\xBB\xBF<a>\r<b/>\r\n</a>", 2},
        {"64 attributes", "<a" + Attributes(64) + "/>", 1},
        {"65 attributes", "<a" + Attributes(65) + "/>", kRefused},
        {"an unquoted value", "<a v=1/>", kRefused},
        // TinyXML reads from "&#x" to the last 'x' before ';' unchecked.
        {"a reference over markup", "<m>&#x<a><a>x1;</m>", kRefused},
        {"an unterminated comment", "<a><!-- <b><b>", kRefused},
        {"a name above 0x7F", "<a><\xB0\xE6/></a>", kRefused},
        {"text after the root", "<a/>x", kRefused},
        {"another element's end tag", "<ab></a>", kRefused},
        {"an attribute twice", "<a x=\"1\" x=\"2\"/>", kRefused},
        {"nothing", "", kRefused},
    };
    for (const Row& row : rows) {
        const std::string buffer = ParserBuffer(row.text);
        if (row.depth == kRefused) {
            EXPECT_FALSE(NestingWithin(buffer.c_str(), kMaxNesting)) << row.what;
            continue;
        }
        EXPECT_TRUE(NestingWithin(buffer.c_str(), row.depth)) << row.what;
        EXPECT_FALSE(NestingWithin(buffer.c_str(), row.depth - 1)) << row.what;
        TiXmlDocument document;
        EXPECT_TRUE(ParseManifestText(row.text, &document, row.depth)) << row.what << ": " << document.ErrorDesc();
        EXPECT_EQ(row.depth, ElementDepth(document)) << row.what;
    }
}

TEST(XmlPrint, OnlyAFormThatReadsBackAsTheSameDocument) {
    struct Row {
        const char* what;
        std::string text;
        bool same;
    };
    const Row rows[] = {
        {"a manifest", kManifest, true},
        {"text, CDATA, comments and references", "<a>x &amp; y<![CDATA[ <z> ]]><!--c--><b q='\"'/></a>", true},
        // Declaration values are printed as they are.
        {"a quote in a declaration", "<?xml version='1\"0'?><m><r version=\"2\"/></m>", false},
        // Printed, the declaration holds a whole manifest with the same
        // version ahead of the real one; printed again it is the same text.
        {"a manifest inside a declaration",
         "<?xml version='1\" ?>\n<manifest>\n    <release version=\"2.0\" />\n"
         "    <file name=\"other.dll\" />\n</manifest>\n<!--'?><m><r version=\"2.0\"/><!--c--></m>",
         false},
    };
    for (const Row& row : rows) {
        TiXmlDocument manifest;
        ASSERT_TRUE(ParseManifestText(row.text, &manifest)) << row.what;
        std::string printed;
        EXPECT_EQ(row.same, PrintManifest(manifest, &printed)) << row.what << "\n" << printed;
    }
}

TEST(XmlText, LineEndsBecomeLineFeeds) {
    EXPECT_EQ("a\nb\nc\n\n\nd", NormalizeLineEnds("a\r\nb\rc\n\r\rd"));
    EXPECT_EQ("\n", NormalizeLineEnds("\r"));
}

}  // namespace
}  // namespace zarnel
