// Owners of COM references, BSTRs, VARIANTs and handles, and the text
// conversions the control needs. Everything the stand-in holds goes through these.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace standin {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* p) : p_(p) { if (p_) p_->AddRef(); }  // NOLINT: adopts by adding a reference
    ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr o) noexcept { std::swap(p_, o.p_); return *this; }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: drops what is held and hands out the slot.
    T** Out() { Reset(); return &p_; }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    void Reset() { if (T* p = std::exchange(p_, nullptr)) p->Release(); }
    T* Detach() { return std::exchange(p_, nullptr); }
    // Hands a new reference to a caller's out-parameter.
    void CopyTo(T** out) const { *out = p_; if (p_) p_->AddRef(); }

    template <class U>
    HRESULT As(ComPtr<U>* out) const {
        if (!p_) return E_POINTER;
        return p_->QueryInterface(__uuidof(U), out->OutVoid());
    }
    HRESULT QueryFrom(IUnknown* from, REFIID iid) {
        Reset();
        return from ? from->QueryInterface(iid, reinterpret_cast<void**>(&p_)) : E_POINTER;
    }

private:
    T* p_ = nullptr;
};

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& s)
        : b_(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
    ~Bstr() { SysFreeString(b_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR Get() const { return b_; }
    BSTR Detach() { return std::exchange(b_, nullptr); }
    BSTR* Out() { SysFreeString(b_); b_ = nullptr; return &b_; }

private:
    BSTR b_ = nullptr;
};

class Variant {
public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* Get() { return &v_; }
    const VARIANT& operator*() const { return v_; }
    void Clear() { VariantClear(&v_); }

private:
    VARIANT v_;
};

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
