// Owners of COM references, BSTRs and VARIANTs: the one set used by the
// program, its tests and the stand-in browser control.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

// Holds one reference to a COM interface; releases it when it goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }  // adds its own reference
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr other) noexcept { std::swap(m_p, other.m_p); return *this; }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    void Reset() { if (T* p = std::exchange(m_p, nullptr)) p->Release(); }
    // Takes over a reference the caller already owns.
    void Attach(T* p) { Reset(); m_p = p; }
    T* Detach() { return std::exchange(m_p, nullptr); }
    // For out-parameters: releases what is held and hands out the slot.
    T** Out() { Reset(); return &m_p; }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    // Hands a new reference to a caller's out-parameter.
    void CopyTo(T** out) const { *out = m_p; if (m_p) m_p->AddRef(); }

    // QueryInterface into another owner, or of another object into this one.
    template <class U>
    HRESULT As(ComPtr<U>* out) const {
        if (!m_p) return E_POINTER;
        return m_p->QueryInterface(__uuidof(U), out->OutVoid());
    }
    HRESULT QueryFrom(IUnknown* source, REFIID iid) {
        Reset();
        return source ? source->QueryInterface(iid, reinterpret_cast<void**>(&m_p)) : E_POINTER;
    }

private:
    T* m_p = nullptr;
};

class ScopedBstr {
public:
    ScopedBstr() = default;
    explicit ScopedBstr(BSTR owned) : m_b(owned) {}
    explicit ScopedBstr(const wchar_t* text) : m_b(SysAllocString(text)) {}
    explicit ScopedBstr(const std::wstring& text)
        : m_b(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~ScopedBstr() { SysFreeString(m_b); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    BSTR Get() const { return m_b; }
    BSTR* Out() { SysFreeString(m_b); m_b = nullptr; return &m_b; }
    BSTR Detach() { return std::exchange(m_b, nullptr); }
private:
    BSTR m_b = nullptr;
};

class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&m_v); }
    ~ScopedVariant() { VariantClear(&m_v); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT* Get() { return &m_v; }
    const VARIANT* Get() const { return &m_v; }
    const VARIANT& operator*() const { return m_v; }
    void Clear() { VariantClear(&m_v); }
    // For out-parameters: clears what is held and hands out the slot.
    VARIANT* Out() { VariantClear(&m_v); return &m_v; }
private:
    VARIANT m_v;
};
