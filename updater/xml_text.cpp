#include "xml_text.h"

#include <cstring>

namespace zarnel {

namespace {

// Past the end marker, or null when the text ends first.
const char* SkipPast(const char* p, const char* marker) {
    const char* found = std::strstr(p, marker);
    return found ? found + std::strlen(marker) : nullptr;
}

bool StartsWith(const char* p, const char* prefix) {
    return std::strncmp(p, prefix, std::strlen(prefix)) == 0;
}

// From just after "<name": the '>' ending the start tag, outside any quotes.
const char* EndOfStartTag(const char* p) {
    char quote = 0;
    for (; *p; ++p) {
        if (quote) {
            if (*p == quote) quote = 0;
        } else if (*p == '"' || *p == '\'') {
            quote = *p;
        } else if (*p == '>') {
            break;
        }
    }
    return p;
}

}  // namespace

bool NestingWithin(const char* text, int limit) {
    int depth = 0;
    for (const char* p = std::strchr(text, '<'); p; p = p ? std::strchr(p, '<') : nullptr) {
        if (StartsWith(p, "<!--")) {
            p = SkipPast(p + 4, "-->");
        } else if (StartsWith(p, "<![CDATA[")) {
            p = SkipPast(p + 9, "]]>");
        } else if (p[1] == '?' || p[1] == '!') {
            p = SkipPast(p + 2, ">");
        } else if (p[1] == '/') {
            if (depth > 0) --depth;
            p = SkipPast(p + 2, ">");
        } else {
            const char* end = EndOfStartTag(p + 1);
            bool empty = *end == '>' && end[-1] == '/';
            if (!empty && ++depth > limit) return false;
            p = *end ? end + 1 : nullptr;
        }
    }
    return true;
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

}  // namespace zarnel
