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

// Loads as TinyXML's LoadFile does, but refuses a document nested too deeply
// for its parser. False when the file cannot be read or is not well-formed.
bool LoadManifest(TiXmlDocument* manifest, const char* path);

// Saves in TinyXML's printed form, replacing the file only once the whole
// new text is written; false (and the old file untouched) otherwise.
bool SaveManifest(const TiXmlDocument& manifest, const char* path);

}  // namespace zarnel
