// An IDispatch that records the one call it gets and answers as told.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include <vector>

struct RecordedArg {
    VARTYPE vt = VT_EMPTY;
    std::wstring text;          // VT_BSTR
    bool nullBstr = false;
    VARIANT* ref = nullptr;     // VT_BYREF | VT_VARIANT
    SCODE scode = 0;            // VT_ERROR
    VARIANT_BOOL boolVal = 0;   // VT_BOOL
};

class FakeDispatch : public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* info, UINT*) override {
        dispid = id;
        wFlags = flags;
        hadResultSlot = result != nullptr;
        args.clear();
        for (UINT i = 0; i < params->cArgs; ++i) {   // as passed: last argument first
            const VARIANT& v = params->rgvarg[i];
            RecordedArg a;
            a.vt = v.vt;
            if (v.vt == VT_BSTR) {
                a.nullBstr = v.bstrVal == nullptr;
                if (v.bstrVal) a.text = v.bstrVal;
            }
            if (v.vt == (VT_BYREF | VT_VARIANT)) a.ref = v.pvarVal;
            if (v.vt == VT_ERROR) a.scode = v.scode;
            if (v.vt == VT_BOOL) a.boolVal = v.boolVal;
            args.push_back(a);
        }
        namedArgs.assign(params->rgdispidNamedArgs, params->rgdispidNamedArgs + params->cNamedArgs);
        if (answer == DISP_E_EXCEPTION && info) {
            info->wCode = 0;
            info->scode = E_ACCESSDENIED;
            info->bstrDescription = SysAllocString(L"\x62D2\x7EDD");   // 拒绝
            info->bstrSource = SysAllocString(L"Fake.Control");
        }
        return answer;
    }

    ULONG refs = 1;
    HRESULT answer = S_OK;
    DISPID dispid = 0;
    WORD wFlags = 0;
    bool hadResultSlot = false;
    std::vector<RecordedArg> args;
    std::vector<DISPID> namedArgs;
};
