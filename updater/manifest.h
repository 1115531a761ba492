// The two manifests in the current directory, as TinyXML documents. Elements
// are found by position only; attributes by their case-sensitive names.
#pragma once
#include <tinyxml.h>

namespace zarnel {

constexpr char kLocalManifest[] = "./Update.xml";
constexpr char kServerManifest[] = "./Server.xml";

// The version a server manifest offers: the "version" of the root's first
// child element, or null when any of the three is missing.
const char* OfferedVersion(const TiXmlDocument& manifest);

// Saves in TinyXML's printed form; false unless every byte reached the file.
bool SaveManifest(const TiXmlDocument& manifest, const char* path);

}  // namespace zarnel
