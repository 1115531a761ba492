// Owners of a VARIANT and a BSTR: cleared or freed on every path.
// framework: needs RAII holders for VARIANT and BSTR (none in the framework yet)
#pragma once

#include <windows.h>
#include <oleauto.h>

class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&m_var); }
    ~ScopedVariant() { VariantClear(&m_var); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;

    VARIANT* get() { return &m_var; }
    const VARIANT& operator*() const { return m_var; }
    const VARIANT* operator->() const { return &m_var; }

private:
    VARIANT m_var;
};

class ScopedBstr {
public:
    explicit ScopedBstr(BSTR bstr = nullptr) : m_bstr(bstr) {}
    explicit ScopedBstr(const wchar_t* text) : m_bstr(SysAllocString(text)) {}
    ~ScopedBstr() { SysFreeString(m_bstr); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;

    BSTR get() const { return m_bstr; }
    // Hands the string to a caller who frees it (a VARIANT, an out-parameter).
    BSTR release() {
        BSTR bstr = m_bstr;
        m_bstr = nullptr;
        return bstr;
    }

private:
    BSTR m_bstr;
};
