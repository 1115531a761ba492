// Case folding of the ASCII letters alone, whatever the C library's locale:
// URL schemes, hex digits and the single-byte letters of file names. Every
// other byte, including those of a double-byte character, is left as it is.
#pragma once
#include <string>

namespace zarnel {

char AsciiLower(char c);
std::string AsciiLower(std::string text);

}  // namespace zarnel
