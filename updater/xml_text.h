// Preparing manifest text for TinyXML. Its parser recurses once per element
// level, so a document nested deeply enough would overflow the caller's
// stack: the nesting is bounded before parsing, without parsing.
#pragma once
#include <string>

namespace zarnel {

// Manifests nest a few levels; anything near this is no manifest.
constexpr int kMaxNesting = 256;

// False when some element lies more than limit levels deep. Comments, CDATA,
// declarations and quoted attribute values are skipped as TinyXML skips them.
bool NestingWithin(const char* text, int limit);

// Line ends as TinyXML's LoadFile makes them: "\r\n" and a lone "\r" become "\n".
std::string NormalizeLineEnds(const std::string& text);

}  // namespace zarnel
