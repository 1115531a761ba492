#include "ansi_text.h"

#include <vector>

#include "text/ansi_text.h"

namespace zarnel {

// By way of a plain UTF-16 buffer rather than text::Utf8ToWide: a std::wstring
// links the static C++ library's whole wide-string code (about 35 KB) into
// the updater, which has no other wide text.
std::string Utf8ToAnsi(const std::string& utf8) {
    const int length = static_cast<int>(utf8.size());
    const int wideLength = length ? MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0) : 0;
    if (wideLength <= 0) return std::string();
    std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wideLength);
    const int size = WideCharToMultiByte(text::kAnsiCodePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(text::kAnsiCodePage, 0, wide.data(), wideLength, &ansi[0], size, nullptr, nullptr);
    return ansi;
}

}  // namespace zarnel
