// Addresses as a browser combines them: a link, a frame source or a script's
// location is read relative to the address of the page it comes from.
#pragma once
#include <string>

namespace standin {

std::wstring ResolveUrl(const std::wstring& base, const std::wstring& ref);
// "http", "about", "javascript"... in lower case; empty when there is none.
std::wstring UrlScheme(const std::wstring& url);

}  // namespace standin
