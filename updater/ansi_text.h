#pragma once
#include <string>

namespace zarnel {

// UTF-8 to the program's ANSI code page (text/ansi_text.h), by way of
// UTF-16. Characters the code page lacks become its default character.
std::string Utf8ToAnsi(const std::string& utf8);

}  // namespace zarnel
