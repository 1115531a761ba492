#include "text/ansi_text.h"

namespace text {

std::string BstrToAnsi(BSTR bstr) {
    if (!bstr) {
        return {};
    }
    return WideToAnsi(std::wstring_view(bstr, SysStringLen(bstr)));
}

BSTR AnsiToBstr(std::string_view ansi) {
    const std::wstring wide = AnsiToWide(ansi);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace text
