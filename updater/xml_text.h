// Manifest text and TinyXML. Its parser recurses once per element level, so
// a document nested deeply enough would overflow the caller's stack: every
// manifest text, from the network or a file, is read through
// ParseManifestText, which bounds the nesting before parsing, without
// parsing, by a rule that reads the bytes exactly as the parser will.
#pragma once
#include <tinyxml.h>

#include <string>

namespace zarnel {

// Manifests nest a few levels; anything near this is no manifest.
constexpr int kMaxNesting = 256;

// True when TinyXML, reading the text byte by byte (its legacy encoding),
// takes it for a whole document whose elements lie at most limit levels
// deep. False also for whatever it might read otherwise: bytes above 0x7F
// where its reading depends on the C runtime's locale, unquoted attribute
// values, numeric references that are not just digits, unterminated
// comments and other text it would only partly read. Manifests are
// machine-written: refusing these costs nothing.
bool NestingWithin(const char* text, int limit);

// Line ends as TinyXML's LoadFile makes them: "\r\n" and a lone "\r" become "\n".
std::string NormalizeLineEnds(const std::string& text);

// The text as the parser gets it: line ends normalized, without a leading
// UTF-8 byte-order mark, followed by zero bytes.
std::string ParserBuffer(const std::string& text);

// The one reading of a manifest text. The text is in the ANSI code page
// whatever its declaration says, so it is parsed byte by byte: TinyXML's
// UTF-8 reading would take a code page 936 byte with the ones after it,
// markup or the terminating zero included. False, with the document empty
// or partly read, when NestingWithin refuses the text or it is not
// well-formed.
bool ParseManifestText(const std::string& text, TiXmlDocument* manifest, int limit = kMaxNesting);

// TinyXML's printed form of the manifest. False when that form would not
// read back (through ParseManifestText) as the same document, node for node:
// TinyXML prints some values as they are, and whoever reads the saved copy
// must see what was checked.
bool PrintManifest(const TiXmlDocument& manifest, std::string* text);

// The version a server manifest offers: the "version" of the root's first
// child element, or null when any of the three is missing.
const char* OfferedVersion(const TiXmlDocument& manifest);

}  // namespace zarnel
