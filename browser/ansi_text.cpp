#include "browser/ansi_text.h"

namespace text {

std::string WideToAnsi(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

std::wstring AnsiToWide(std::string_view ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int length = static_cast<int>(ansi.size());
    int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), size);
    return wide;
}

std::string BstrToAnsi(BSTR bstr) {
    if (!bstr) {
        return {};
    }
    return WideToAnsi(std::wstring_view(bstr, SysStringLen(bstr)));
}

BSTR AnsiToBstr(std::string_view ansi) {
    std::wstring wide = AnsiToWide(ansi);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace text
