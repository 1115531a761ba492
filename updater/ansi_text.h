#pragma once
#include <string>

namespace zarnel {

// UTF-8 to the thread's ANSI code page, by way of UTF-16. Characters the code
// page lacks become its default character.
std::string Utf8ToAnsi(const std::string& utf8);

}  // namespace zarnel
