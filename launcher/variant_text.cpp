#include "launcher/variant_text.h"

#include <cstdio>

#include "text/ansi_text.h"

namespace launcher {

namespace {

template <typename T>
std::string Format(const char* format, T value) {
    char buffer[400];  // "%f" of the largest double has 309 digits before the point
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

std::string VariantToString(const VARIANT& variant) {
    switch (variant.vt) {
    case VT_BSTR:
        return text::BstrToAnsi(variant.bstrVal);
    case VT_BSTR | VT_BYREF:
        return variant.pbstrVal ? text::BstrToAnsi(*variant.pbstrVal) : std::string();
    case VT_I4:
        return Format("%d", static_cast<int>(variant.lVal));
    case VT_I4 | VT_BYREF:
        return variant.plVal ? Format("%d", static_cast<int>(*variant.plVal)) : std::string();
    case VT_R8:
        return Format("%f", variant.dblVal);
    default:
        return {};
    }
}

}  // namespace launcher
