#include "manifest.h"

#include <cstdio>

namespace zarnel {

const char* OfferedVersion(const TiXmlDocument& manifest) {
    const TiXmlElement* root = manifest.RootElement();
    if (!root) return nullptr;
    const TiXmlElement* offer = root->FirstChildElement();
    return offer ? offer->Attribute("version") : nullptr;
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
