// The text form of the address variant of a browser event.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace launcher {

// Strings (also by reference) in the ANSI code page, 32-bit integers (also by
// reference) as "%d", doubles as "%f"; every other type gives the empty text.
std::string VariantToString(const VARIANT& variant);

}  // namespace launcher
