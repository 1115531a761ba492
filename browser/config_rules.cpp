#include "config_rules.h"

namespace config {

namespace {

constexpr std::string_view kMarker = "/b_";

// Where the profile functions end a line, stop reading, or skip a character
// as a blank (Wine also counts U+001A, the old end-of-file mark).
bool IsControl(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// The Unicode spaces the platforms' blank tests know, and the byte order
// mark, which some readers drop at the start of a line.
bool IsBlank(wchar_t c) {
    return c == L' ' || c == 0xA0 || c == 0x1680 || c == 0x180E || (c >= 0x2000 && c <= 0x200B) ||
           c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

bool IsQuote(wchar_t c) { return c == L'"' || c == L'\''; }

// No character that breaks the line, and nothing at either end that a reader
// trims or strips.
bool ReadsBackWhole(std::wstring_view text) {
    for (wchar_t c : text) {
        if (IsControl(c)) return false;
    }
    if (text.empty()) return true;
    for (wchar_t end : {text.front(), text.back()}) {
        if (IsBlank(end) || IsQuote(end)) return false;
    }
    return true;
}

}  // namespace

std::string QueryArgs(std::string_view line, std::string_view name) {
    size_t p = line.find(kMarker);
    while (p != std::string_view::npos) {
        size_t s = p + kMarker.size();
        size_t nameEnd = line.find(' ', s);
        if (nameEnd == std::string_view::npos) {
            return {};  // a name that ends the line has no value
        }
        size_t v = nameEnd + 1;
        if (line.substr(s, nameEnd - s) == name) {
            size_t valueEnd = line.find(' ', v);
            return std::string(line.substr(v, valueEnd == std::string_view::npos ? std::string_view::npos : valueEnd - v));
        }
        // The next marker is searched from the value on, so a marker inside a
        // value counts too.
        p = line.find(kMarker, v);
    }
    return {};
}

std::string CutToBuffer(std::string_view value, std::size_t bufferSize, LeadBytePredicate isLeadByte) {
    if (bufferSize == 0) {
        return {};
    }
    const size_t limit = bufferSize - 1;
    if (value.size() <= limit) {
        return std::string(value);
    }
    // Walk whole characters from the start: a trail byte may look like a lead byte.
    size_t end = 0;
    while (end < limit) {
        size_t width = isLeadByte(static_cast<unsigned char>(value[end])) ? 2 : 1;
        if (end + width > limit) {
            break;
        }
        end += width;
    }
    return std::string(value.substr(0, end));
}

bool IsStorableEntry(std::wstring_view key, std::wstring_view value) {
    if (key.empty() || key.size() > kLongestEntryBytes || value.size() > kLongestEntryBytes) {
        return false;  // an empty key would be read back as no key at all
    }
    // '[' would open a section, ';' a comment, '=' would end the key early.
    if (key.front() == L'[' || key.front() == L';' || key.find(L'=') != std::wstring_view::npos) {
        return false;
    }
    return ReadsBackWhole(key) && ReadsBackWhole(value);
}

}  // namespace config
