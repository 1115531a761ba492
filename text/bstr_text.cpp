#include "text/ansi_text.h"

namespace text {

std::wstring_view BstrText(BSTR bstr) {
    return bstr ? std::wstring_view(bstr, SysStringLen(bstr)) : std::wstring_view();
}

std::string BstrToAnsi(BSTR bstr) {
    return WideToAnsi(BstrText(bstr));
}

BSTR AnsiToBstr(std::string_view ansi) {
    const std::wstring wide = AnsiToWide(ansi);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace text
