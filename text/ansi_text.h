// Conversions between UTF-16 (pages, the browser, the platform's wide calls)
// and the narrow text of the program and of Zarnel.dll. This is the one place
// that chooses the narrow code page: the thread's ANSI code page, 936 in the
// target setting. Characters the code page lacks become its default character.
//
// Its own small library, which the framework and the DLL both link: the DLL
// must not link the framework. The BSTR helpers sit in their own object, so
// the DLL, which never calls them, does not import oleaut32 for them.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace text {

inline constexpr UINT kAnsiCodePage = CP_THREAD_ACP;

std::string WideToAnsi(std::wstring_view wide);
std::wstring AnsiToWide(std::string_view ansi);
std::wstring Utf8ToWide(std::string_view utf8);

// True when ansi and wide are the same text, each converting to the other
// exactly: nothing lost to a default character, no bytes that are no
// character of the code page.
bool SameText(std::string_view ansi, std::wstring_view wide);

// True when byte starts a two-byte character in the ANSI code page.
bool IsLeadByte(unsigned char byte);

// A BSTR's whole text (a BSTR may hold zeros); a null BSTR is the empty text.
std::wstring_view BstrText(BSTR bstr);
std::string BstrToAnsi(BSTR bstr);
// A new BSTR for the caller; null only when memory is exhausted.
BSTR AnsiToBstr(std::string_view ansi);

}  // namespace text
