// Keys and values come from any page: the store's rules must take any bytes,
// and an entry the rule accepts must come back, through a model of how the
// profile functions read a line, as exactly that key and value.
// The first byte splits the rest into key and value. For the entry rule the
// rest is read as UTF-16 text: each byte is the character of that number,
// except 0xFF, which takes the next two bytes as one UTF-16 unit, high first.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "browser/config_rules.h"

namespace {

// Code page 936's lead bytes.
bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

std::u16string Decode(std::string_view bytes) {
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b == 0xFF && i + 2 < bytes.size()) {
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i + 1]) << 8 |
                                          static_cast<unsigned char>(bytes[i + 2]));
            i += 2;
        } else {
            text += static_cast<char16_t>(b);
        }
    }
    return text;
}

// How the profile functions of Wine and Windows read a line back, taking
// the widest reading wherever they differ: the written text ends at its first
// zero; lines end at CR or LF; blanks (every Unicode space, the old
// end-of-file mark U+001A, the byte order mark) are skipped before a line and
// trimmed around the key and the value; a line starting with ';' is a comment
// and one starting with '[' a section; the key ends at the first '='; a value
// enclosed in a pair of the same quotes loses them.
bool IsBlank(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           c == 0x180E || (c >= 0x2000 && c <= 0x200B) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

struct ReadBack {
    std::u16string key, value;
};

// The entry a written line reads back as; false when it reads as anything
// but one entry (more lines, a comment, a section, no '=').
bool ReadLine(std::u16string written, ReadBack* entry) {
    written = written.substr(0, written.find(u'\0'));
    // A line break of either kind, or a separator some readers break at.
    if (written.find_first_of(u"\r\n\u2028\u2029\u0085") != std::u16string::npos) return false;
    std::u16string_view line = Trimmed(written);
    if (line.empty() || line.front() == u';' || line.front() == u'[') return false;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) return false;
    std::u16string_view value = Trimmed(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    entry->key = std::u16string(Trimmed(line.substr(0, equals)));
    entry->value = std::u16string(value);
    return true;
}

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = data[0] < rest.size() ? data[0] : rest.size();
    const std::string_view key = rest.substr(0, split);
    const std::string_view value = rest.substr(split);

    const std::u16string wideKey = Decode(key);
    const std::u16string wideValue = Decode(value);
    if (config::IsStorableEntry(Wide(wideKey), Wide(wideValue))) {
        ReadBack entry;
        if (!ReadLine(wideKey + u"=" + wideValue, &entry)) std::abort();
        if (entry.key != wideKey || entry.value != wideValue) std::abort();
    }

    const std::string argument = config::QueryArgs(value, key);
    if (argument.find(' ') != std::string::npos) std::abort();
    for (std::size_t buffer : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{7}, size}) {
        const std::string cut = config::CutToBuffer(value, buffer, IsGbkLeadByte);
        if (buffer > 0 ? cut.size() >= buffer : !cut.empty()) std::abort();
        if (value.substr(0, cut.size()) != cut) std::abort();
    }
    return 0;
}
