// A bound on how deeply the elements of an XML text nest, found without
// parsing it. TinyXML parses child elements recursively, so a deep enough
// document from the server would overflow the caller's stack.
#pragma once

namespace zarnel {

// Manifests nest a few levels; anything near this is no manifest.
constexpr int kMaxNesting = 256;

// False when some element lies more than limit levels deep. Comments, CDATA,
// declarations and quoted attribute values are skipped as TinyXML skips them.
bool NestingWithin(const char* text, int limit);

}  // namespace zarnel
