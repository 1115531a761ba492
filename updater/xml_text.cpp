#include "xml_text.h"

#include <cstring>
#include <string_view>
#include <vector>

// The nesting rule follows TinyXML 2.6's parser (tinyxmlparser.cpp:
// TiXmlDocument::Parse, TiXmlNode::Identify, each node's Parse, GetEntity)
// step for step in its legacy encoding, without recursion and without
// building anything, so that it stops where the parser would stop and counts
// every element the parser would open. The parser classifies bytes above 0x7F
// with the C runtime's isspace, which depends on the locale; the rule treats
// them as neither space nor markup and refuses wherever that could matter.

namespace zarnel {

namespace {

// More than any manifest element carries; TinyXML checks each new attribute
// against all the ones before it, so a long list costs time squared.
constexpr std::size_t kMaxAttributes = 64;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
// TinyXML takes these for letters in names.
bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x7F; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c) || c == '-' || c == '.' || c == ':'; }

bool StartsWith(const char* p, const char* prefix) {
    return std::strncmp(p, prefix, std::strlen(prefix)) == 0;
}

bool StartsWithNoCase(const char* p, const char* lowerPrefix) {
    for (; *lowerPrefix; ++p, ++lowerPrefix) {
        char c = *p >= 'A' && *p <= 'Z' ? static_cast<char>(*p - 'A' + 'a') : *p;
        if (c != *lowerPrefix) return false;
    }
    return true;
}

const char* SkipSpace(const char* p) {
    while (IsSpace(*p)) ++p;
    return p;
}

// Past the end marker, or null when the text ends first.
const char* SkipPast(const char* p, const char* marker) {
    const char* found = std::strstr(p, marker);
    return found ? found + std::strlen(marker) : nullptr;
}

// From a '&' in text or a quoted value: past the reference. A numeric one
// that is not digits up to ';' is refused (null): TinyXML then either fails
// or, finding an 'x' or '#' further on, reads over everything in between.
const char* SkipReference(const char* p) {
    if (p[1] == '#' && p[2]) {
        const char* q = p + 2;
        if (*q == 'x') {
            if (!q[1]) return nullptr;
            for (++q; IsHexDigit(*q); ++q) {}
        } else {
            while (IsDigit(*q)) ++q;
        }
        return *q == ';' ? q + 1 : nullptr;
    }
    for (const char* named : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"}) {
        if (StartsWith(p, named)) return p + std::strlen(named);
    }
    return p + 1;
}

// name="value" or name='value'; null when TinyXML would fail on it or read
// it some other way. Names already on the element are in seen (none for a
// declaration, which may repeat them).
const char* SkipAttribute(const char* p, std::vector<std::string_view>* seen) {
    p = SkipSpace(p);
    if (!IsNameStart(*p)) return nullptr;
    const char* name = p;
    while (IsNameChar(*p)) ++p;
    if (IsHigh(*p)) return nullptr;
    if (seen) {
        const std::string_view current(name, p - name);
        for (std::string_view other : *seen) {
            if (other == current) return nullptr;
        }
        if (seen->size() == kMaxAttributes) return nullptr;
        seen->push_back(current);
    }
    p = SkipSpace(p);
    if (*p != '=') return nullptr;
    p = SkipSpace(p + 1);
    // TinyXML reads an unquoted value up to a space, '/' or '>': where a byte
    // above 0x7F ends it depends on the locale, and printed quoted it may read
    // back differently.
    const char quote = *p;
    if (quote != '"' && quote != '\'') return nullptr;
    for (++p; p && *p && *p != quote;) p = *p == '&' ? SkipReference(p) : p + 1;
    // TinyXML fails on a value that ends the text, even one closed there.
    return p && *p && p[1] ? p + 1 : nullptr;
}

// "<?xml ...>": TinyXML reads version, encoding and standalone as attributes
// and steps over any other word; the first '>' outside them ends it.
const char* SkipDeclaration(const char* p) {
    for (p += 5;;) {
        if (*p == '>') return p + 1;
        p = SkipSpace(p);
        if (!*p) return nullptr;
        if (StartsWithNoCase(p, "version") || StartsWithNoCase(p, "encoding") ||
            StartsWithNoCase(p, "standalone")) {
            p = SkipAttribute(p, nullptr);
            if (!p) return nullptr;
        } else {
            for (; *p && *p != '>' && !IsSpace(*p); ++p) {
                if (IsHigh(*p)) return nullptr;
            }
        }
    }
}

// The node after this one in document order, below top; level follows the
// steps down and up.
const TiXmlNode* Following(const TiXmlNode* node, const TiXmlNode* top, int* level) {
    if (node->FirstChild()) {
        ++*level;
        return node->FirstChild();
    }
    for (; node != top && !node->NextSibling(); node = node->Parent()) --*level;
    return node == top ? nullptr : node->NextSibling();
}

// Same kind, value, attributes and declaration fields.
bool SameNode(const TiXmlNode& a, const TiXmlNode& b) {
    if (a.Type() != b.Type() || !(a.ValueTStr() == b.ValueTStr())) return false;
    if (const TiXmlText* text = a.ToText()) return text->CDATA() == b.ToText()->CDATA();
    if (const TiXmlDeclaration* declaration = a.ToDeclaration()) {
        const TiXmlDeclaration* other = b.ToDeclaration();
        return std::strcmp(declaration->Version(), other->Version()) == 0 &&
               std::strcmp(declaration->Encoding(), other->Encoding()) == 0 &&
               std::strcmp(declaration->Standalone(), other->Standalone()) == 0;
    }
    const TiXmlAttribute* x = a.ToElement() ? a.ToElement()->FirstAttribute() : nullptr;
    const TiXmlAttribute* y = b.ToElement() ? b.ToElement()->FirstAttribute() : nullptr;
    for (; x && y; x = x->Next(), y = y->Next()) {
        if (!(x->NameTStr() == y->NameTStr()) || std::strcmp(x->Value(), y->Value()) != 0)
            return false;
    }
    return !x && !y;
}

// Node for node, at the same levels; without recursion.
bool SameDocument(const TiXmlDocument& a, const TiXmlDocument& b) {
    int levelA = 0;
    int levelB = 0;
    for (const TiXmlNode *x = &a, *y = &b;;) {
        x = Following(x, &a, &levelA);
        y = Following(y, &b, &levelB);
        if (!x || !y) return !x && !y;
        if (levelA != levelB || !SameNode(*x, *y)) return false;
    }
}

class Reader {
public:
    Reader(const char* text, int limit) : m_p(text), m_limit(limit) {}

    bool ReadDocument() {
        m_p = SkipSpace(m_p);
        if (!*m_p) return false;
        while (*m_p) {
            // TinyXML quietly ends the document at anything but '<', or takes
            // a byte above 0x7F for space and goes on.
            if (*m_p != '<' || !ReadNode()) return false;
            while (!m_open.empty()) {
                if (!ReadContent()) return false;
            }
            m_p = SkipSpace(m_p);
        }
        return true;
    }

private:
    // At a '<' that is no end tag: the node TinyXML's Identify would make.
    bool ReadNode() {
        const char* p = m_p;
        if (StartsWithNoCase(p, "<?xml")) {
            p = SkipDeclaration(p);
        } else if (StartsWith(p, "<!--")) {
            p = SkipPast(p + 4, "-->");
        } else if (StartsWith(p, "<![CDATA[")) {
            p = SkipPast(p + 9, "]]>");
        } else if (IsNameStart(p[1])) {
            return ReadStartTag();
        } else if (IsHigh(p[1])) {
            return false;  // an element name to TinyXML
        } else {
            p = SkipPast(p + 1, ">");  // "<!", "<?", "</" outside any element...
        }
        m_p = p;
        return p != nullptr;
    }

    bool ReadStartTag() {
        const char* p = m_p + 1;
        const char* name = p;
        while (IsNameChar(*p)) ++p;
        if (IsHigh(*p)) return false;
        m_open.emplace_back(name, p - name);
        if (static_cast<int>(m_open.size()) > m_limit) return false;
        std::vector<std::string_view> attributes;
        for (;;) {
            p = SkipSpace(p);
            if (*p == '/') {
                if (p[1] != '>') return false;
                m_open.pop_back();
                m_p = p + 2;
                return true;
            }
            if (*p == '>') {
                m_p = p + 1;
                return true;
            }
            p = SkipAttribute(p, &attributes);
            if (!p) return false;
        }
    }

    // One step inside the innermost open element, as TinyXML's ReadValue.
    bool ReadContent() {
        const char* p = SkipSpace(m_p);
        if (!*p) return false;
        if (*p != '<') {
            while (*p && *p != '<') {
                p = *p == '&' ? SkipReference(p) : p + 1;
                if (!p) return false;
            }
            m_p = p;
            return *p != 0;
        }
        if (p[1] != '/') {
            m_p = p;
            return ReadNode();
        }
        // As TinyXML ends an element: "</", its name, spaces, '>'.
        const std::string_view name = m_open.back();
        if (std::strncmp(p + 2, name.data(), name.size()) != 0) return false;
        p = SkipSpace(p + 2 + name.size());
        if (*p != '>') return false;
        m_open.pop_back();
        m_p = p + 1;
        return true;
    }

    const char* m_p;
    const int m_limit;
    std::vector<std::string_view> m_open;  // names of the open elements, innermost last
};

}  // namespace

bool NestingWithin(const char* text, int limit) {
    return Reader(text, limit).ReadDocument();
}

std::string NormalizeLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
        } else {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
    }
    return out;
}

std::string ParserBuffer(const std::string& text) {
    // A file saved by an editor may begin with the mark; the legacy reading
    // would take it for text before the first element.
    constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
    std::string buffer = NormalizeLineEnds(
        text.compare(0, 3, kByteOrderMark) == 0 ? text.substr(3) : text);
    // Four zero bytes: TinyXML's widest step is a four-byte UTF-8 character,
    // so no step from inside the text can land past them.
    buffer.append(4, '\0');
    return buffer;
}

bool ParseManifestText(const std::string& text, TiXmlDocument* manifest, int limit) {
    manifest->Clear();
    const std::string buffer = ParserBuffer(text);
    if (!NestingWithin(buffer.c_str(), limit)) return false;
    manifest->Parse(buffer.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    return !manifest->Error();
}

bool PrintManifest(const TiXmlDocument& manifest, std::string* text) {
    TiXmlPrinter printer;
    manifest.Accept(&printer);
    text->assign(printer.CStr(), printer.Size());
    // Comparing the offered version, or the text printed again, is not
    // enough: a declaration value can print as a whole second manifest
    // ahead of the real one, with the same version, and print the same again.
    TiXmlDocument reread;
    return ParseManifestText(*text, &reread) && SameDocument(manifest, reread);
}

const char* OfferedVersion(const TiXmlDocument& manifest) {
    const TiXmlElement* root = manifest.RootElement();
    if (!root) return nullptr;
    const TiXmlElement* offer = root->FirstChildElement();
    return offer ? offer->Attribute("version") : nullptr;
}

}  // namespace zarnel
