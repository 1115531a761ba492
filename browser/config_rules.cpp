#include "config_rules.h"

namespace config {

namespace {

constexpr std::string_view kMarker = "/b_";

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
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

bool IsStorableEntry(std::string_view key, std::string_view value) {
    if (key.size() > kLongestEntryBytes || value.size() > kLongestEntryBytes) {
        return false;
    }
    size_t first = key.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return false;  // an empty key would be read back as no key at all
    }
    // '[' would open a section, ';' a comment, '=' would end the key early.
    if (key[first] == '[' || key[first] == ';' || key.find('=') != std::string_view::npos) {
        return false;
    }
    return !HasLineBreak(key) && !HasLineBreak(value);
}

}  // namespace config
