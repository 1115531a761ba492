#include "dispatch_call.h"
#include <algorithm>
#include "owners/com_ptr.h"
#include "ole_exception.h"

DispatchArgs::DispatchArgs(WORD wFlags, const BYTE* pbParamInfo, va_list args) {
    for (const BYTE* p = pbParamInfo; p && *p; ++p) {
        VARIANT v;
        VariantInit(&v);
        switch (*p) {
        case 0x0B:   // VTS_BOOL
            v.vt = VT_BOOL;
            v.boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case 0x0E: { // VTS_BSTR: narrow text; null becomes the empty string
            const char* text = va_arg(args, const char*);
            v.vt = VT_BSTR;
            v.bstrVal = CString(text).AllocSysString();
            break;
        }
        case 0x4C: { // VTS_PVARIANT
            VARIANT* ref = va_arg(args, VARIANT*);
            if (ref) {
                v.vt = VT_BYREF | VT_VARIANT;
                v.pvarVal = ref;
            } else {
                v.vt = VT_ERROR;
                v.scode = DISP_E_PARAMNOTFOUND;
            }
            break;
        }
        default:
            m_ok = false;
            return;
        }
        m_args.push_back(v);
    }
    // Invoke takes the arguments last to first.
    std::reverse(m_args.begin(), m_args.end());
    m_params.cArgs = static_cast<UINT>(m_args.size());
    m_params.rgvarg = m_args.empty() ? nullptr : m_args.data();
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        m_params.cNamedArgs = 1;
        m_params.rgdispidNamedArgs = &m_namedArg;
    }
}

DispatchArgs::~DispatchArgs() {
    for (VARIANT& v : m_args)
        if (v.vt == VT_BSTR) SysFreeString(v.bstrVal);
}

void AfxInvokeDispatch(IDispatch* pDispatch, DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void*,
                       const BYTE* pbParamInfo, va_list args) {
    if (!pDispatch) return;
    DispatchArgs packed(wFlags, pbParamInfo, args);
    if (!packed.ok() || vtRet != VT_EMPTY) throw COleException(E_INVALIDARG);
    EXCEPINFO info{};
    UINT argError = 0;
    HRESULT hr = pDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, packed.Params(), nullptr,
                                   &info, &argError);
    if (hr == DISP_E_EXCEPTION) {
        if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
        ScopedBstr description(info.bstrDescription), source(info.bstrSource), help(info.bstrHelpFile);
        throw COleDispatchException(info);
    }
    if (FAILED(hr)) throw COleException(hr);
}
