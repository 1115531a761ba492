// The two manifests in the current directory, as TinyXML documents. Elements
// are found by position only; attributes by their case-sensitive names.
#pragma once
#include <tinyxml.h>

#include <string>

#include "xml_text.h"  // OfferedVersion

namespace zarnel {

constexpr char kLocalManifest[] = "./Update.xml";
constexpr char kServerManifest[] = "./Server.xml";

// Reads the whole file through ParseManifestText. False when the file cannot
// be read, is refused or is not well-formed.
bool LoadManifest(TiXmlDocument* manifest, const char* path);

// Update.xml's root element, once the file is loaded into *manifest; null when
// it cannot be loaded or holds no element.
TiXmlElement* LoadInstalledRoot(TiXmlDocument* manifest);
// The server manifest's address that root names ("url" followed by "info");
// false when either is missing.
bool ServerManifestUrlOf(const TiXmlElement& root, std::string* url);

// Saves the text PrintManifest gives, byte for byte, replacing the file only
// once the whole new text is written; false (and the old file untouched)
// when that text would not read back the same or cannot be written.
bool SaveManifest(const TiXmlDocument& manifest, const char* path);

}  // namespace zarnel
