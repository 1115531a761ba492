// A browser wrapper as the program writes one: the WebBrowser's automation
// calls through InvokeHelper. The getters, which the program never needs,
// ask the control's own IDispatch.
#pragma once
#include "framework.h"

class TestBrowser : public CWnd {
public:
    void Navigate(LPCTSTR url, VARIANT* flags = nullptr, VARIANT* frame = nullptr, VARIANT* post = nullptr,
                  VARIANT* headers = nullptr) {
        static const BYTE params[] = VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
        InvokeHelper(0x68, DISPATCH_METHOD, VT_EMPTY, nullptr, params, url, flags, frame, post, headers);
    }
    void Refresh() { InvokeHelper(-550, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }
    void Stop() { InvokeHelper(0x6A, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }
    void put_Silent(BOOL value) {
        static const BYTE params[] = VTS_BOOL;
        InvokeHelper(0x227, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, value);
    }
    BOOL get_Silent() {
        ScopedVariant value;
        if (!Get(0x227, value.Get()) || value.Get()->vt != VT_BOOL) return 7;   // no control
        return value.Get()->boolVal != VARIANT_FALSE;
    }
    CString get_LocationURL() {
        ScopedVariant value;
        if (!Get(0xD3, value.Get()) || value.Get()->vt != VT_BSTR) return CString("(none)");
        return CString(value.Get()->bstrVal);
    }

private:
    bool Get(DISPID id, VARIANT* out) {
        IDispatch* control = m_pCtrlSite ? m_pCtrlSite->GetControlDispatch() : nullptr;
        DISPPARAMS none{};
        return control && SUCCEEDED(control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                                    out, nullptr, nullptr));
    }
};
