#include "html.h"

#include <cwctype>
#include <map>

namespace standin {

namespace {

std::wstring Lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; }

struct Tag {
    std::wstring name;  // lower case
    bool closing = false;
    std::map<std::wstring, std::wstring> attributes;  // lower-case names, decoded values
    std::wstring Attr(const wchar_t* key) const {
        auto it = attributes.find(key);
        return it == attributes.end() ? std::wstring() : it->second;
    }
    bool Has(const wchar_t* key) const { return attributes.count(key) != 0; }
};

// Reads a tag starting at html[pos] == '<'; on success pos is past the '>'.
bool ReadTag(const std::wstring& html, size_t& pos, Tag* tag) {
    size_t i = pos + 1;
    if (i < html.size() && html[i] == L'/') { tag->closing = true; ++i; }
    size_t start = i;
    while (i < html.size() && (std::iswalnum(html[i]) || html[i] == L'-')) ++i;
    if (i == start || !std::iswalpha(html[start])) return false;
    tag->name = Lower(html.substr(start, i - start));
    while (i < html.size() && html[i] != L'>') {
        if (IsSpace(html[i]) || html[i] == L'/') { ++i; continue; }
        size_t nameStart = i;
        while (i < html.size() && !IsSpace(html[i]) && html[i] != L'=' && html[i] != L'>' && html[i] != L'/') ++i;
        std::wstring name = Lower(html.substr(nameStart, i - nameStart));
        while (i < html.size() && IsSpace(html[i])) ++i;
        std::wstring value;
        if (i < html.size() && html[i] == L'=') {
            ++i;
            while (i < html.size() && IsSpace(html[i])) ++i;
            if (i < html.size() && (html[i] == L'"' || html[i] == L'\'')) {
                wchar_t quote = html[i++];
                size_t end = html.find(quote, i);
                if (end == std::wstring::npos) end = html.size();
                value = html.substr(i, end - i);
                i = end < html.size() ? end + 1 : end;
            } else {
                size_t valueStart = i;
                while (i < html.size() && !IsSpace(html[i]) && html[i] != L'>') ++i;
                value = html.substr(valueStart, i - valueStart);
            }
        }
        if (!name.empty() && !tag->attributes.count(name)) tag->attributes[name] = DecodeEntities(value);
    }
    pos = i < html.size() ? i + 1 : i;
    return true;
}

// Returns the raw text up to "</name" and moves past its closing tag.
std::wstring RawUntilClose(const std::wstring& html, size_t& pos, const std::wstring& name) {
    std::wstring lower = Lower(html.substr(pos));
    size_t end = lower.find(L"</" + name);
    if (end == std::wstring::npos) {
        std::wstring rest = html.substr(pos);
        pos = html.size();
        return rest;
    }
    std::wstring raw = html.substr(pos, end);
    size_t close = html.find(L'>', pos + end);
    pos = close == std::wstring::npos ? html.size() : close + 1;
    return raw;
}

std::wstring CollapseSpaces(const std::wstring& text) {
    std::wstring out;
    bool space = false;
    for (wchar_t c : text) {
        if (IsSpace(c)) { space = true; continue; }
        if (space && !out.empty()) out += L' ';
        space = false;
        out += c;
    }
    return out;
}

class Reader {
public:
    Document Read(const std::wstring& html);

private:
    void Flush();
    void AddText(const std::wstring& text);
    void OnTag(const Tag& tag, const std::wstring& html, size_t& pos);
    void KeepPendingSpace();

    Document doc_;
    Block block_;
    bool inInline_ = false;  // the last inline is an open link or button
    bool pendingSpace_ = false;
};

void Reader::Flush() {
    inInline_ = false;
    pendingSpace_ = false;
    while (!block_.inlines.empty()) {  // no trailing spaces at a block's end
        std::wstring& t = block_.inlines.back().text;
        while (!t.empty() && t.back() == L' ') t.pop_back();
        if (!t.empty() || block_.inlines.back().kind != Inline::Kind::Text) break;
        block_.inlines.pop_back();
    }
    if (!block_.inlines.empty()) doc_.blocks.push_back(block_);
    block_ = Block();
}

// The space between two inline elements stays, as one.
void Reader::KeepPendingSpace() {
    if (pendingSpace_ && !block_.inlines.empty()) {
        if (block_.inlines.back().kind != Inline::Kind::Text) block_.inlines.push_back(Inline());
        block_.inlines.back().text += L' ';
    }
    pendingSpace_ = false;
}

void Reader::AddText(const std::wstring& raw) {
    std::wstring text = DecodeEntities(raw);
    bool leading = !text.empty() && IsSpace(text.front());
    bool trailing = !text.empty() && IsSpace(text.back());
    std::wstring words = CollapseSpaces(text);
    if (words.empty()) {
        pendingSpace_ = pendingSpace_ || leading;
        return;
    }
    bool atStart = block_.inlines.empty() || (inInline_ && block_.inlines.back().text.empty());
    if ((leading || pendingSpace_) && !atStart) words = L" " + words;
    pendingSpace_ = trailing;
    if (!inInline_ && (block_.inlines.empty() || block_.inlines.back().kind != Inline::Kind::Text))
        block_.inlines.push_back(Inline());
    block_.inlines.back().text += words;
}

void Reader::OnTag(const Tag& tag, const std::wstring& html, size_t& pos) {
    const std::wstring& n = tag.name;
    if (n == L"title" && !tag.closing) {
        doc_.title = CollapseSpaces(DecodeEntities(RawUntilClose(html, pos, n)));
    } else if (n == L"script" && !tag.closing) {
        std::wstring code = RawUntilClose(html, pos, n);
        std::wstring type = Lower(tag.Attr(L"type"));
        bool jscript = type.empty() || type.find(L"javascript") != std::wstring::npos ||
                       type.find(L"jscript") != std::wstring::npos;
        if (!tag.Has(L"src") && jscript) doc_.scripts.push_back(code);
    } else if ((n == L"style" || n == L"textarea" || n == L"noscript") && !tag.closing) {
        RawUntilClose(html, pos, n);
    } else if (n.size() == 2 && n[0] == L'h' && n[1] >= L'1' && n[1] <= L'6') {
        Flush();
        if (!tag.closing) {
            block_.kind = Block::Kind::Heading;
            block_.level = n[1] - L'0';
        }
    } else if (n == L"a" || n == L"button") {
        if (inInline_) {
            inInline_ = false;
            pendingSpace_ = false;
        }
        if (tag.closing) return;
        Inline item;
        item.kind = n == L"a" ? Inline::Kind::Link : Inline::Kind::Button;
        item.href = tag.Attr(L"href");
        item.onclick = tag.Attr(L"onclick");
        KeepPendingSpace();
        block_.inlines.push_back(item);
        inInline_ = true;
    } else if (n == L"input" && !tag.closing) {
        std::wstring type = Lower(tag.Attr(L"type"));
        Inline item;
        item.text = tag.Attr(L"value");
        if (type == L"button" || type == L"submit") {
            item.kind = Inline::Kind::Button;
            item.onclick = tag.Attr(L"onclick");
        } else if (type.empty() || type == L"text" || type == L"password") {
            item.kind = Inline::Kind::Input;
            item.id = tag.Has(L"id") ? tag.Attr(L"id") : tag.Attr(L"name");
            item.password = type == L"password";
        } else {
            return;  // hidden fields, check boxes...: not shown
        }
        KeepPendingSpace();
        block_.inlines.push_back(item);
        inInline_ = false;
    } else if (n == L"iframe" && !tag.closing) {
        Flush();
        Block frame;
        frame.kind = Block::Kind::Frame;
        frame.src = tag.Attr(L"src");
        frame.width = _wtoi(tag.Attr(L"width").c_str());
        frame.height = _wtoi(tag.Attr(L"height").c_str());
        doc_.blocks.push_back(frame);
        RawUntilClose(html, pos, n);  // fallback content is for browsers without frames
    } else if (n == L"p" || n == L"div" || n == L"br" || n == L"li" || n == L"ul" || n == L"ol" ||
               n == L"tr" || n == L"table" || n == L"body" || n == L"form" || n == L"center" ||
               n == L"hr" || n == L"section" || n == L"header" || n == L"footer" || n == L"nav" ||
               n == L"article" || n == L"html" || n == L"head" || n == L"pre" || n == L"blockquote") {
        Flush();
    }
}

Document Reader::Read(const std::wstring& html) {
    size_t pos = 0;
    while (pos < html.size()) {
        if (html[pos] != L'<') {
            size_t next = html.find(L'<', pos);
            if (next == std::wstring::npos) next = html.size();
            AddText(html.substr(pos, next - pos));
            pos = next;
            continue;
        }
        if (html.compare(pos, 4, L"<!--") == 0) {
            size_t end = html.find(L"-->", pos + 4);
            pos = end == std::wstring::npos ? html.size() : end + 3;
            continue;
        }
        if (html.compare(pos, 2, L"<!") == 0 || html.compare(pos, 2, L"<?") == 0) {
            size_t end = html.find(L'>', pos);
            pos = end == std::wstring::npos ? html.size() : end + 1;
            continue;
        }
        Tag tag;
        size_t at = pos;
        if (!ReadTag(html, at, &tag)) {  // a lone '<' is text
            AddText(L"<");
            ++pos;
            continue;
        }
        pos = at;
        OnTag(tag, html, pos);
    }
    Flush();
    return doc_;
}

}  // namespace

std::wstring DecodeEntities(const std::wstring& text) {
    static const std::map<std::wstring, wchar_t> named = {
        {L"amp", L'&'}, {L"lt", L'<'}, {L"gt", L'>'}, {L"quot", L'"'}, {L"apos", L'\''}, {L"nbsp", 0xA0}};
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        size_t semi = text[i] == L'&' ? text.find(L';', i) : std::wstring::npos;
        if (semi == std::wstring::npos || semi - i > 10) { out += text[i]; continue; }
        std::wstring name = text.substr(i + 1, semi - i - 1);
        unsigned long code = 0;
        if (name.size() > 1 && name[0] == L'#') {
            bool hex = name[1] == L'x' || name[1] == L'X';
            code = std::wcstoul(name.c_str() + (hex ? 2 : 1), nullptr, hex ? 16 : 10);
        } else if (auto it = named.find(name); it != named.end()) {
            code = it->second;
        }
        if (code == 0 || code > 0x10FFFF) { out += text[i]; continue; }
        if (code >= 0x10000) {  // outside the basic plane: a surrogate pair
            code -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (code >> 10));
            out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<wchar_t>(code);
        }
        i = semi;
    }
    return out;
}

}  // namespace standin

namespace standin {

Document ParseHtml(const std::wstring& html) {
    return Reader().Read(html);
}

}  // namespace standin
