// The IUnknown and IDispatch plumbing of the control's small script-visible
// objects: one reference count, IDispatch only, no type information, and
// names looked up through IdOfName.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include "dll_state.h"

namespace standin {

class DispatchObject : public IDispatch {
public:
    // Counted: a host may keep such an object after the control has gone.
    DispatchObject() { DllAddRef(); }
    virtual ~DispatchObject() { DllRelease(); }
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDispatch) return E_NOINTERFACE;
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return n;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override {
        if (pctinfo) *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
        if (ppTInfo) *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!names || !ids) return E_POINTER;
        HRESULT hr = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = names[i] ? IdOfName(names[i]) : DISPID_UNKNOWN;
            if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }

protected:
    // The member's id, or DISPID_UNKNOWN.
    virtual DISPID IdOfName(const wchar_t* name) const = 0;

private:
    LONG refs_ = 1;
};

}  // namespace standin
