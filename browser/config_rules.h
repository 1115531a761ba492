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

// The longest key or value, in bytes, that the profile functions keep whole.
// They pass text on as UTF-16 with a 16-bit byte length that must hold the
// terminator too; anything longer is stored empty or garbled while the write
// still reports success (and Wine's crashes on such a value).
inline constexpr std::size_t kLongestEntryBytes = 32 * 1024 - 2;

// True when key=value can be written as one profile line and read back as the
// same key and value: a page must not be able to add lines or sections to the
// file, nor be told that a value was stored when it was lost.
bool IsStorableEntry(std::string_view key, std::string_view value);

}  // namespace config
