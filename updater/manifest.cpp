#include "manifest.h"

#include <cstdio>
#include <string>

#include "xml_text.h"

namespace zarnel {

namespace {

bool ReadWhole(const char* path, std::string* text) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    char buffer[16 * 1024];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text->append(buffer, n);
    bool read = !std::ferror(file);
    std::fclose(file);
    return read;
}

}  // namespace

const char* OfferedVersion(const TiXmlDocument& manifest) {
    const TiXmlElement* root = manifest.RootElement();
    if (!root) return nullptr;
    const TiXmlElement* offer = root->FirstChildElement();
    return offer ? offer->Attribute("version") : nullptr;
}

bool LoadManifest(TiXmlDocument* manifest, const char* path) {
    std::string text;
    if (!ReadWhole(path, &text)) return false;
    text = NormalizeLineEnds(text);
    if (!NestingWithin(text.c_str(), kMaxNesting)) return false;
    // An empty file is a parse error too.
    manifest->Parse(text.c_str());
    return !manifest->Error();
}

bool SaveManifest(const TiXmlDocument& manifest, const char* path) {
    // TinyXML's own SaveFile(path) ignores fclose, where a buffered write
    // error would show.
    FILE* file = std::fopen(path, "w");
    if (!file) return false;
    bool written = manifest.SaveFile(file);
    return std::fclose(file) == 0 && written;
}

}  // namespace zarnel
