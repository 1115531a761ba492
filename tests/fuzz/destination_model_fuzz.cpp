// The destination rule against a model of how Windows resolves a path, built
// separately from it: names decoded from code page 936 by the C library's
// converter, folded by the Unicode case tables (towupper), and the path taken
// apart as Win32 does before the file system sees it. For every entry the
// rule accepts, the model must place a plain file strictly inside the install
// folder, under exactly the name written; for two accepted entries that the
// model finds in each other's way, the duplicate rule must say so.
//
// Input: the install folder's length, then path and name of the first entry,
// each a length byte and that many bytes; then a byte choosing the second
// entry: even, it follows in the same form; odd, it is the first one with
// bytes shifted by (position, amount) pairs, so that names differing only in
// case or separators come up often.
#include <iconv.h>
#include <wctype.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "updater/destination_rules.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

iconv_t g_cp936 = reinterpret_cast<iconv_t>(-1);

enum class Place {
    kFile,      // a plain file inside the folder, under the name written
    kRefused,   // Windows refuses or garbles the name
    kOutside,   // absolute, a drive, UNC, or climbing out
    kRenamed,   // Windows opens another name (trailing dots or spaces, ".")
    kDevice,
    kStream,
    kAlias,     // an 8.3 short name, standing for some long name
    kManifest,  // Update.xml or Server.xml of the install folder
};

// One character of code page 936, as MultiByteToWideChar reads it. A pair the
// C library does not know stands for a character of its own without case
// (the text reaching the rule comes from WideCharToMultiByte, which writes
// only known pairs). A lead byte without its trail byte garbles the name.
bool Decode(const std::string& bytes, std::u32string* text) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            *text += c;
        } else if (c == 0x80 || c == 0xFF) {
            *text += c == 0x80 ? U'\u20AC' : U'\uF8F5';
        } else {
            if (i + 1 == bytes.size()) return false;
            const unsigned char t = static_cast<unsigned char>(bytes[i + 1]);
            if (t < 0x40 || t == 0x7F || t == 0xFF) return false;
            char in[2] = {static_cast<char>(c), static_cast<char>(t)};
            char32_t out = 0;
            char* from = in;
            char* to = reinterpret_cast<char*>(&out);
            std::size_t left = 2, room = sizeof out;
            iconv(g_cp936, nullptr, nullptr, nullptr, nullptr);
            const bool known = iconv(g_cp936, &from, &left, &to, &room) != static_cast<std::size_t>(-1) && left == 0;
            *text += known ? out : static_cast<char32_t>(0xF0000 + (c << 8) + t);
            ++i;
        }
    }
    return true;
}

std::u32string Upper(std::u32string text) {
    for (char32_t& c : text) c = static_cast<char32_t>(towupper(static_cast<wint_t>(c)));
    return text;
}

// Win32 opens these as devices, checking the name before any dot or colon,
// trailing spaces dropped; COM and LPT take the superscript digits too.
bool IsDevice(const std::u32string& component) {
    std::u32string base = Upper(component.substr(0, component.find_first_of(U".:")));
    while (!base.empty() && base.back() == U' ') base.pop_back();
    for (const char32_t* device : {U"CON", U"PRN", U"AUX", U"NUL", U"CONIN$", U"CONOUT$"}) {
        if (base == device) return true;
    }
    if (base.size() != 4 || (base.compare(0, 3, U"COM") != 0 && base.compare(0, 3, U"LPT") != 0)) return false;
    return (base[3] >= U'1' && base[3] <= U'9') || base[3] == U'\u00B9' || base[3] == U'\u00B2' ||
           base[3] == U'\u00B3';
}

// The shape of a generated short name: up to 8 characters ending in ~ and
// digits, and an extension of up to 3.
bool IsShortName(const std::u32string& component) {
    const std::size_t tilde = component.rfind(U'~');
    if (tilde == std::u32string::npos || tilde == 0) return false;
    std::size_t end = tilde + 1;
    while (end < component.size() && component[end] >= U'0' && component[end] <= U'9') ++end;
    if (end == tilde + 1 || end > 8) return false;
    return end == component.size() || (component[end] == U'.' && component.size() - end - 1 <= 3);
}

// Where Windows puts destination below the install folder; *key is the path
// below it as the file system compares it (upper case, '\').
Place Resolve(const std::string& destination, std::u32string* key) {
    std::u32string text;
    if (!Decode(destination, &text)) return Place::kRefused;
    if (text.empty()) return Place::kOutside;
    if (text[0] == U'\\' || text[0] == U'/') return Place::kOutside;  // rooted, UNC, \\?\ alike
    if (text.size() >= 2 && text[1] == U':') return Place::kOutside;   // a drive
    std::u32string below;
    std::size_t depth = 0;
    bool renamed = false;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find_first_of(U"\\/", start);
        if (end == std::u32string::npos) end = text.size();
        std::u32string component = text.substr(start, end - start);
        start = end + 1;
        if (component.empty()) {
            renamed = true;  // a doubled separator collapses
            continue;
        }
        if (component == U".") {
            renamed = true;
            continue;
        }
        if (component == U"..") {
            if (depth == 0) return Place::kOutside;
            below.erase(below.rfind(U'\\', below.size() - 2) + 1);  // npos + 1 is 0: the top
            --depth;
            renamed = true;
            continue;
        }
        for (char32_t c : component) {
            if (c < 0x20 || std::u32string(U"*?\"<>|").find(c) != std::u32string::npos) return Place::kRefused;
            if (c == U':') return Place::kStream;
        }
        const std::size_t kept = component.find_last_not_of(U". ");
        if (kept == std::u32string::npos) return Place::kRenamed;  // dots and spaces only
        if (kept + 1 != component.size()) renamed = true;
        component.erase(kept + 1);
        if (IsDevice(component)) return Place::kDevice;
        if (IsShortName(component)) return Place::kAlias;
        below += Upper(component) + U"\\";
        ++depth;
    }
    if (depth == 0) return Place::kOutside;  // the folder itself
    below.pop_back();
    *key = below;
    if (below == U"UPDATE.XML" || below == U"SERVER.XML") return Place::kManifest;
    return renamed ? Place::kRenamed : Place::kFile;
}

std::string Field(const std::uint8_t*& data, std::size_t& size) {
    if (size == 0) return std::string();
    const std::size_t length = data[0] < size - 1 ? data[0] : size - 1;
    std::string field(reinterpret_cast<const char*>(data) + 1, length);
    data += 1 + length;
    size -= 1 + length;
    return field;
}

bool IsPrefixFolder(const std::u32string& folder, const std::u32string& file) {
    return file.size() > folder.size() && file.compare(0, folder.size(), folder) == 0 &&
           file[folder.size()] == U'\\';
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The Unicode case tables; the plain C locale folds ASCII only.
    Check(std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr);
    Check(towupper(0xFF41) == 0xFF21);
    g_cp936 = iconv_open("UTF-32LE", "CP936");
    Check(g_cp936 != reinterpret_cast<iconv_t>(-1));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t folderLength = 3 + data[0] % 250;
    ++data;
    --size;
    std::string fields[4];
    fields[0] = Field(data, size);
    fields[1] = Field(data, size);
    if (size > 0 && (data[0] & 1)) {
        fields[2] = fields[0];
        fields[3] = fields[1];
        for (std::size_t i = 1; i + 1 < size; i += 2) {
            const std::size_t length = fields[2].size() + fields[3].size();
            if (length == 0) break;
            const std::size_t at = data[i] % length;
            std::string& field = at < fields[2].size() ? fields[2] : fields[3];
            char& c = field[at < fields[2].size() ? at : at - fields[2].size()];
            c = static_cast<char>(c + data[i + 1]);
        }
    } else if (size > 0) {
        ++data;
        --size;
        fields[2] = Field(data, size);
        fields[3] = Field(data, size);
    }

    std::u32string keys[2];
    bool accepted[2];
    for (int e = 0; e < 2; ++e) {
        const std::string& path = fields[2 * e];
        const std::string& name = fields[2 * e + 1];
        accepted[e] = zarnel::IsAcceptableDestination(path, name, folderLength);
        const Place place = Resolve(path + name, &keys[e]);
        if (!accepted[e]) continue;
        Check(place == Place::kFile);
        // MAX_PATH counts characters: folder, separator, the path, the suffix, the zero.
        Check(folderLength + 1 + keys[e].size() + zarnel::kLongestAddedSuffix < zarnel::kMaxPath);
    }
    if (!accepted[0] || !accepted[1]) return 0;
    // In each other's way: one file, one's staged file, or a file where the
    // other needs a folder.
    const std::u32string& a = keys[0];
    const std::u32string& b = keys[1];
    const bool meet = a == b || a == b + U".TMP" || b == a + U".TMP" || IsPrefixFolder(a, b) ||
                      IsPrefixFolder(b, a) || IsPrefixFolder(a + U".TMP", b) || IsPrefixFolder(b + U".TMP", a);
    zarnel::DestinationSet set;
    Check(set.Add(fields[0] + fields[1]));
    Check(set.Add(fields[2] + fields[3]) == !meet);
    return 0;
}
