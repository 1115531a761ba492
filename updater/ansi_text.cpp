#include "ansi_text.h"

#include <windows.h>

namespace zarnel {

std::string Utf8ToAnsi(const std::string& utf8) {
    if (utf8.empty()) return std::string();
    int length = static_cast<int>(utf8.size());
    int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (wide <= 0) return std::string();
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, &text[0], wide);

    int narrow = WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), wide, nullptr, 0,
                                     nullptr, nullptr);
    if (narrow <= 0) return std::string();
    std::string ansi(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), wide, &ansi[0], narrow, nullptr, nullptr);
    return ansi;
}

}  // namespace zarnel
