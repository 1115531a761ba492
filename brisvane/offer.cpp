#include "offer.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "manifest.h"
#include "update_rules.h"

namespace brisvane {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool Refuse(std::string* why, const std::string& text) {
    *why = text;
    return false;
}

bool ReadFile(const TiXmlElement& entry, OfferedFile* file, std::string* why) {
    const char* path = entry.Attribute("path");
    const char* name = entry.Attribute("name");
    const char* url = entry.Attribute("url");
    if (!path || !name || !url || !*name || !*url)
        return Refuse(why, "a file entry lacks path, name or url");
    file->path = path;
    file->name = name;
    file->url = url;
    const std::string destination = zarnel::DestinationOf(path, name);
    if (!IsSafeDestination(destination))
        return Refuse(why, "unsafe destination: " + destination);
    // The manifests themselves belong to the update protocol, not to the offer.
    const std::string lower = Lower(destination);
    if (lower == "update.xml" || lower == "server.xml")
        return Refuse(why, "a manifest as destination: " + destination);
    if (!ParseSize(entry.Attribute("size"), &file->size))
        return Refuse(why, std::string("bad size for ") + name);
    if (!ParseSha256(entry.Attribute("sha256"), &file->sha256))
        return Refuse(why, std::string("bad sha256 for ") + name);
    file->registered = zarnel::IsMarkedForRegistration(entry.Attribute("register"));
    return true;
}

}  // namespace

bool IsSafeDestination(const std::string& destination) {
    if (destination.empty() || destination[0] == '\\' || destination[0] == '/') return false;
    if (destination.find_first_of(":*?\"<>|") != std::string::npos) return false;
    const char last = destination.back();
    if (last == '\\' || last == '/' || last == '.' || last == ' ') return false;
    // No ".." segment anywhere (Windows also treats "..." and ". ." oddly:
    // any segment of dots and spaces alone is refused).
    std::size_t start = 0;
    while (start <= destination.size()) {
        std::size_t end = destination.find_first_of("\\/", start);
        if (end == std::string::npos) end = destination.size();
        std::string segment = destination.substr(start, end - start);
        if (!segment.empty() && segment.find_first_not_of(". ") == std::string::npos) return false;
        start = end + 1;
    }
    return true;
}

bool ParseSize(const char* text, std::uint64_t* size) {
    if (!text || !*text) return false;
    std::uint64_t value = 0;
    for (const char* p = text; *p; ++p) {
        if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
        const unsigned digit = static_cast<unsigned>(*p - '0');
        if (value > (UINT64_MAX - digit) / 10) return false;
        value = value * 10 + digit;
    }
    *size = value;
    return true;
}

bool ParseSha256(const char* text, std::string* hex) {
    if (!text || std::strlen(text) != 64) return false;
    for (const char* p = text; *p; ++p) {
        if (!std::isxdigit(static_cast<unsigned char>(*p))) return false;
    }
    *hex = Lower(text);
    return true;
}

bool ReadOffer(const TiXmlDocument& manifest, Offer* offer, std::string* why) {
    const char* version = zarnel::OfferedVersion(manifest);
    if (!version) return Refuse(why, "no offered version");
    offer->version = version;
    offer->files.clear();
    const TiXmlElement* first = manifest.RootElement()->FirstChildElement();
    // Digits only, as sizes are.
    if (!ParseSize(first->Attribute("serial"), &offer->serial)) return Refuse(why, "no release serial");
    std::vector<std::string> seen;
    for (const TiXmlElement* entry = first->NextSiblingElement("file"); entry;
         entry = entry->NextSiblingElement("file")) {
        OfferedFile file;
        if (!ReadFile(*entry, &file, why)) return false;
        // Windows file names ignore case: two entries for one file would race.
        std::string key = Lower(zarnel::DestinationOf(file.path.c_str(), file.name.c_str()));
        std::replace(key.begin(), key.end(), '/', '\\');
        if (std::find(seen.begin(), seen.end(), key) != seen.end())
            return Refuse(why, "the same destination twice: " + key);
        seen.push_back(key);
        offer->files.push_back(file);
    }
    return true;
}

}  // namespace brisvane
