// Rules of the configuration store that need no platform: the "/b_" argument
// grammar of the command line, the byte limits of values read back, and which
// entries a page may store.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace config {

// The value of the first argument "/b_<name> <value>" in a command line, or
// the empty text. Names compare exactly; a value runs to the next space.
std::string QueryArgs(std::string_view commandLine, std::string_view name);

// Tells whether a byte starts a two-byte character in the text's code page.
using LeadBytePredicate = bool (*)(unsigned char);

// The longest start of value that fits a buffer of bufferSize bytes with its
// terminating zero, never ending on half of a two-byte character.
std::string CutToBuffer(std::string_view value, std::size_t bufferSize, LeadBytePredicate isLeadByte);

// The longest key or value, in bytes of the narrow text, that the profile
// functions keep whole. They pass text on as UTF-16 with a 16-bit byte length
// that must hold the terminator too; anything longer is stored empty or
// garbled while the write still reports success (and Wine's crashes on such a
// value). Counting bytes rather than characters leaves room on every system.
inline constexpr std::size_t kLongestEntryBytes = 32 * 1024 - 2;

// True when key=value, as the UTF-16 text the profile functions work on, is
// written as one line of its section and read back as the same key and value.
// A page must not be able to add a line, a section or a comment to the file,
// nor be told that a value was stored when it comes back changed. Refused:
// - a key or value with a control character (U+0000-U+001F, U+007F-U+009F)
//   or a line or paragraph separator anywhere: the profile functions end a
//   line there, stop at U+0000, or skip such characters as blanks;
// - a key or value that begins or ends with a blank (a space, U+00A0, the
//   ideographic space U+3000 and the other Unicode spaces, U+FEFF) or a quote
//   (" or '): blanks are trimmed and a value's enclosing quotes stripped when
//   it is read, and systems differ on which of these they trim;
// - an empty key, a key with '=' (the key ends at the first one), and a key
//   beginning with '[' (a section line) or ';' (a comment);
// - a key or value longer than kLongestEntryBytes characters.
// The narrow text's own limit and that it converts exactly are the caller's.
bool IsStorableEntry(std::wstring_view key, std::wstring_view value);

}  // namespace config
