// Conversions between the UTF-16 text of pages and the browser and the narrow
// text of the program, in the thread's ANSI code page (936 in the target
// setting). Characters the code page lacks become its default character.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace text {

std::string WideToAnsi(std::wstring_view wide);
std::wstring AnsiToWide(std::string_view ansi);

// A BSTR's whole text (a BSTR may hold zeros); a null BSTR is the empty text.
std::string BstrToAnsi(BSTR bstr);
// A new BSTR for the caller; null only when memory is exhausted.
BSTR AnsiToBstr(std::string_view ansi);

}  // namespace text
