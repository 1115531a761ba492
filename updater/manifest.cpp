#include "manifest.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "update_rules.h"
#include "xml_text.h"

namespace zarnel {

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

bool ReadWhole(const char* path, std::string* text) {
    File file(std::fopen(path, "rb"));
    if (!file) return false;
    char buffer[16 * 1024];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        text->append(buffer, n);
    return !std::ferror(file.get());
}

}  // namespace

bool LoadManifest(TiXmlDocument* manifest, const char* path) {
    std::string text;
    if (!ReadWhole(path, &text)) return false;
    return ParseManifestText(text, manifest);
}

TiXmlElement* LoadInstalledRoot(TiXmlDocument* manifest) {
    if (!LoadManifest(manifest, kLocalManifest)) return nullptr;
    return manifest->RootElement();
}

bool ServerManifestUrlOf(const TiXmlElement& root, std::string* url) {
    const char* base = root.Attribute("url");
    const char* info = root.Attribute("info");
    if (!base || !info) return false;
    *url = ManifestUrl(base, info);
    return true;
}

bool SaveManifest(const TiXmlDocument& manifest, const char* path) {
    // Written beside, then moved over the old file in one step: a crash or a
    // full disk mid-write leaves the old manifest whole, never half a new one.
    // fclose is checked too (TinyXML's SaveFile ignores it): a buffered write
    // error shows there. Binary: the file holds exactly the text read back.
    std::string text;
    if (!PrintManifest(manifest, &text)) return false;
    // Windows refuses to replace a read-only file; Wine run as root would not.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    std::string beside = std::string(path) + ".new";
    File file(std::fopen(beside.c_str(), "wb"));
    if (!file) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    written = std::fclose(file.release()) == 0 && written;
    if (written && MoveFileExA(beside.c_str(), path,
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(beside.c_str());
    return false;
}

}  // namespace zarnel
