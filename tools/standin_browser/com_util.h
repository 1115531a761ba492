// Owners of exception information and handles, and the text conversions the
// control needs; COM references, BSTRs and VARIANTs have the framework's owners
// (owners/com_ptr.h, a header the control includes without linking the
// framework). Everything the stand-in holds goes through these.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include "owners/com_ptr.h"

#include <string>
#include <utility>

namespace standin {

// The COM, BSTR and VARIANT owners are the program's own.
using ::ComPtr;

// An EXCEPINFO whose strings are freed with it.
struct ScopedExcepInfo : EXCEPINFO {
    ScopedExcepInfo() : EXCEPINFO() {}
    ~ScopedExcepInfo() {
        SysFreeString(bstrSource);
        SysFreeString(bstrDescription);
        SysFreeString(bstrHelpFile);
    }
    ScopedExcepInfo(const ScopedExcepInfo&) = delete;
    ScopedExcepInfo& operator=(const ScopedExcepInfo&) = delete;
};

// A kernel handle (files, WinINet handles have their own owner).
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { if (valid()) CloseHandle(h_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ && h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }

private:
    HANDLE h_ = nullptr;
};

std::string Utf8(const std::wstring& s);
std::wstring FromCodePage(const std::string& bytes, UINT codePage);
std::wstring BstrText(BSTR b);  // a null BSTR is the empty text
// The text of a variant as a script or a host passes it: strings, by-reference
// strings and whatever VariantChangeType turns into a string.
bool VariantText(const VARIANT& v, std::wstring* out);
std::string Hex(unsigned long value);  // 0x0000000c

}  // namespace standin
