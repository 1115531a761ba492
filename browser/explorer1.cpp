#include "browser/explorer1.h"

namespace {

// Dispatch ids of IWebBrowser2.
constexpr DISPID kDispNavigate = 0x68;
constexpr DISPID kDispRefresh = -550;
constexpr DISPID kDispStop = 0x6A;
constexpr DISPID kDispSilent = 0x227;

// {8856F961-340A-11D0-A96B-00C04FD705A2}
constexpr CLSID kWebBrowserClsid = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

}  // namespace

// CWnd ends a control window that is still there, through its site's
// teardown when it has one, so the control is released in order.
CExplorer1::~CExplorer1() = default;

const CLSID& CExplorer1::GetClsid() {
    return kWebBrowserClsid;
}

BOOL CExplorer1::Create(LPCTSTR, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID, CCreateContext*) {
    return CreateControl(GetClsid(), lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

void CExplorer1::Navigate(LPCTSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                          VARIANT* Headers) {
    static const BYTE params[] = VTS_BSTR VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
    InvokeHelper(kDispNavigate, DISPATCH_METHOD, VT_EMPTY, nullptr, params, URL, Flags, TargetFrameName,
                 PostData, Headers);
}

void CExplorer1::Refresh() {
    InvokeHelper(kDispRefresh, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

void CExplorer1::Stop() {
    InvokeHelper(kDispStop, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

void CExplorer1::put_Silent(BOOL bNewValue) {
    static const BYTE params[] = VTS_BOOL;
    InvokeHelper(kDispSilent, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, bNewValue);
}
