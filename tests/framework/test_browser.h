// A browser wrapper as the program writes one: the WebBrowser's automation
// calls through InvokeHelper.
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
        BOOL value = 7;   // left alone without a control
        InvokeHelper(0x227, DISPATCH_PROPERTYGET, VT_BOOL, &value, nullptr);
        return value;
    }
    CString get_LocationURL() {
        CString url("(none)");
        InvokeHelper(0xD3, DISPATCH_PROPERTYGET, VT_BSTR, &url, nullptr);
        return url;
    }
};
