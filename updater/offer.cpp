#include "offer.h"

#include <cctype>
#include <cstring>

#include "ascii_case.h"
#include "destination_rules.h"
#include "xml_text.h"
#include "update_rules.h"

namespace zarnel {

namespace {

bool Refuse(std::string* why, const std::string& text) {
    *why = text;
    return false;
}

bool ReadFile(const TiXmlElement& entry, std::size_t installFolderLength, OfferedFile* file,
              std::string* why) {
    const char* path = entry.Attribute("path");
    const char* name = entry.Attribute("name");
    const char* url = entry.Attribute("url");
    if (!path || !name || !url || !*name || !*url)
        return Refuse(why, "a file entry lacks path, name or url");
    file->path = path;
    file->name = name;
    file->url = url;
    if (const char* fault = DestinationFault(path, name, installFolderLength))
        return Refuse(why, std::string(fault) + ": " + DestinationOf(path, name));
    if (!ParseSize(entry.Attribute("size"), &file->size))
        return Refuse(why, std::string("bad size for ") + name);
    if (!ParseSha256(entry.Attribute("sha256"), &file->sha256))
        return Refuse(why, std::string("bad sha256 for ") + name);
    file->registered = IsMarkedForRegistration(entry.Attribute("register"));
    return true;
}

}  // namespace

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
    *hex = AsciiLower(text);
    return true;
}

bool ReadOffer(const TiXmlDocument& manifest, std::size_t installFolderLength, Offer* offer,
               std::string* why) {
    const char* version = OfferedVersion(manifest);
    if (!version) return Refuse(why, "no offered version");
    offer->version = version;
    offer->files.clear();
    const TiXmlElement* first = manifest.RootElement()->FirstChildElement();
    // Digits only, as sizes are.
    const char* serial = first->Attribute("serial");
    offer->serial = 0;
    if (serial && !ParseSize(serial, &offer->serial)) return Refuse(why, "a malformed release serial");
    DestinationSet destinations;
    for (const TiXmlElement* entry = first->NextSiblingElement("file"); entry;
         entry = entry->NextSiblingElement("file")) {
        OfferedFile file;
        if (!ReadFile(*entry, installFolderLength, &file, why)) return false;
        const std::string destination = DestinationOf(file.path.c_str(), file.name.c_str());
        if (!destinations.Add(destination))
            return Refuse(why, "one file under two names: " + destination);
        offer->files.push_back(file);
    }
    return true;
}

}  // namespace zarnel
