// Owners of COM references, BSTRs and VARIANTs.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <utility>

// Holds one reference to a COM interface; releases it when it goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr other) noexcept { std::swap(m_p, other.m_p); return *this; }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    void Reset() { if (m_p) { T* p = m_p; m_p = nullptr; p->Release(); } }
    // Takes over a reference the caller already owns.
    void Attach(T* p) { Reset(); m_p = p; }
    T* Detach() { T* p = m_p; m_p = nullptr; return p; }
    // For out-parameters: releases what is held and hands out the slot.
    T** Receive() { Reset(); return &m_p; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    // QueryInterface of another interface into this pointer.
    template <class U>
    HRESULT QueryFrom(U* source, REFIID iid) {
        Reset();
        return source ? source->QueryInterface(iid, ReceiveVoid()) : E_POINTER;
    }

private:
    T* m_p = nullptr;
};

class ScopedBstr {
public:
    ScopedBstr() = default;
    explicit ScopedBstr(BSTR owned) : m_b(owned) {}
    explicit ScopedBstr(const wchar_t* text) : m_b(SysAllocString(text)) {}
    ~ScopedBstr() { SysFreeString(m_b); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    BSTR Get() const { return m_b; }
    BSTR* Receive() { SysFreeString(m_b); m_b = nullptr; return &m_b; }
    BSTR Detach() { BSTR b = m_b; m_b = nullptr; return b; }
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
    VARIANT* Receive() { VariantClear(&m_v); return &m_v; }
private:
    VARIANT m_v;
};
