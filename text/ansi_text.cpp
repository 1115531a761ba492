#include "text/ansi_text.h"

namespace text {

namespace {

std::wstring ToWide(UINT codePage, std::string_view narrow) {
    if (narrow.empty()) {
        return {};
    }
    const int length = static_cast<int>(narrow.size());
    const int size = MultiByteToWideChar(codePage, 0, narrow.data(), length, nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, narrow.data(), length, wide.data(), size);
    return wide;
}

}  // namespace

std::string WideToAnsi(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(kAnsiCodePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(kAnsiCodePage, 0, wide.data(), length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

std::wstring AnsiToWide(std::string_view ansi) {
    return ToWide(kAnsiCodePage, ansi);
}

std::wstring Utf8ToWide(std::string_view utf8) {
    return ToWide(CP_UTF8, utf8);
}

bool SameText(std::string_view ansi, std::wstring_view wide) {
    return AnsiToWide(ansi) == wide && WideToAnsi(wide) == ansi;
}

bool IsLeadByte(unsigned char byte) {
    return IsDBCSLeadByteEx(kAnsiCodePage, byte) != FALSE;
}

}  // namespace text
