#include "destination_rules.h"

#include <cstring>

#include "ascii_case.h"
#include "update_rules.h"

namespace zarnel {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Code page 936: a lead byte and the byte after it are one character.
bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE); }

// The double-byte letters of code page 936 that have a case, as Windows'
// file systems fold them (Wine too, measured): one lead byte, the trail
// bytes of the upper-case run, and where the lower-case run starts.
struct CaseRun {
    unsigned char lead, upperFirst, upperLast, lowerFirst;
};
constexpr CaseRun kCaseRuns[] = {
    {0xA2, 0xF1, 0xFA, 0xA1},  // Roman numerals
    {0xA3, 0xC1, 0xDA, 0xE1},  // full-width Latin letters
    {0xA6, 0xA1, 0xB8, 0xC1},  // Greek
    {0xA7, 0xA1, 0xC1, 0xD1},  // Cyrillic
};

char LowerTrail(unsigned char lead, unsigned char trail) {
    for (const CaseRun& run : kCaseRuns) {
        if (lead == run.lead && trail >= run.upperFirst && trail <= run.upperLast)
            return static_cast<char>(trail - run.upperFirst + run.lowerFirst);
    }
    return static_cast<char>(trail);
}

// Windows opens these as devices in any folder, whatever follows a dot and
// with spaces before it: "nul.txt" and "NUL .dat" are the null device.
bool IsDeviceName(const std::string& segment) {
    std::string base = AsciiLower(segment.substr(0, segment.find('.')));
    base.erase(base.find_last_not_of(' ') + 1);
    for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$"}) {
        if (base == device) return true;
    }
    return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

// "VORN_L~1.EXE" opens Vorn_Login.exe wherever the volume makes 8.3 names:
// a second name for an installed file, which no duplicate rule could see.
// Real names of that shape are rare enough to refuse them all.
bool HasShortNameShape(const std::string& segment) {
    for (std::size_t tilde = segment.find('~'); tilde != std::string::npos;
         tilde = segment.find('~', tilde + 1)) {
        std::size_t end = tilde + 1;
        while (end < segment.size() && segment[end] >= '0' && segment[end] <= '9') ++end;
        if (end > tilde + 1 && (end == segment.size() || segment[end] == '.')) return true;
    }
    return false;
}

// One folder or file name, between separators.
const char* SegmentFault(const std::string& segment) {
    if (segment.empty()) return "an empty name (a leading or doubled separator)";
    if (segment == "." || segment == "..") return "a . or .. name";
    for (std::size_t i = 0; i < segment.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(segment[i]);
        if (c < 0x20) return "a control character";
        if (std::strchr(":*?\"<>|", c)) return "a character Windows refuses in names";
        if (IsLeadByte(c)) {
            if (i + 1 == segment.size() || !IsTrailByte(static_cast<unsigned char>(segment[i + 1])))
                return "a broken double-byte character";
            ++i;
        }
    }
    // Windows drops them, so "data." and "data " are "data" again.
    if (segment.back() == '.' || segment.back() == ' ') return "a name ending in a dot or space";
    if (IsDeviceName(segment)) return "a device name";
    if (HasShortNameShape(segment)) return "an 8.3 short name";
    return nullptr;
}

// The manifests of the update itself, and the files they are saved through.
bool IsProtocolFile(const std::string& name) {
    const std::string lower = AsciiLower(name);
    for (const char* file : {"update.xml", "server.xml", "update.xml.new", "server.xml.new"}) {
        if (lower == file) return true;
    }
    return false;
}

}  // namespace

const char* DestinationFault(const std::string& path, const std::string& name,
                             std::size_t installFolderLength) {
    if (!path.empty() && !IsSeparator(path.back())) return "a path that does not end in a separator";
    for (std::size_t start = 0, end; start < path.size(); start = end + 1) {
        end = path.find_first_of("\\/", start);
        if (const char* fault = SegmentFault(path.substr(start, end - start))) return fault;
    }
    if (name.find_first_of("\\/") != std::string::npos) return "a name holding a separator";
    if (const char* fault = SegmentFault(name)) return fault;
    if (path.empty() && IsProtocolFile(name)) return "a manifest of the update";
    // Folder, separator, destination, suffix and the terminating zero. This
    // also keeps every folder far below CreateDirectoryA's shorter limit.
    if (installFolderLength + 1 + path.size() + name.size() + kLongestAddedSuffix >= kMaxPath)
        return "a path too long for MAX_PATH";
    return nullptr;
}

std::string DestinationKey(const std::string& destination) {
    std::string key;
    key.reserve(destination.size());
    for (std::size_t i = 0; i < destination.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(destination[i]);
        if (IsLeadByte(c) && i + 1 < destination.size()) {
            key += destination[i];
            key += LowerTrail(c, static_cast<unsigned char>(destination[++i]));
        } else {
            key += IsSeparator(destination[i]) ? '\\' : AsciiLower(destination[i]);
        }
    }
    return key;
}

bool DestinationSet::Add(const std::string& destination) {
    const std::string key = DestinationKey(destination);
    const std::string files[] = {key, StagedFileOf(key)};
    for (const std::string& file : files) {
        if (m_files.count(file) || m_folders.count(file)) return false;
    }
    std::set<std::string> folders;
    for (std::size_t at = key.find('\\'); at != std::string::npos; at = key.find('\\', at + 1)) {
        folders.insert(key.substr(0, at));
        if (m_files.count(key.substr(0, at))) return false;
    }
    m_files.insert(std::begin(files), std::end(files));
    m_folders.insert(folders.begin(), folders.end());
    return true;
}

}  // namespace zarnel
