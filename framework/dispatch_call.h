// Argument descriptors of InvokeHelper: one byte per argument, concatenated
// (VTS_BSTR VTS_PVARIANT ...). In this narrow build VTS_BSTR is narrow text
// that the call converts to a BSTR.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <cstdarg>
#include <vector>
#include "cstring.h"

#define VTS_NONE     ""
#define VTS_I4       "\x03"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL     "\x0B"
#define VTS_BSTR     "\x0E"
#define VTS_PVARIANT "\x4C"

// The packed arguments of one call: reversed into DISPPARAMS as Invoke wants,
// owning the BSTRs made for it. A null VARIANT* is passed as an absent
// optional argument (VT_ERROR, DISP_E_PARAMNOTFOUND).
class DispatchArgs {
public:
    DispatchArgs(WORD wFlags, const BYTE* pbParamInfo, va_list args);
    ~DispatchArgs();
    DispatchArgs(const DispatchArgs&) = delete;
    DispatchArgs& operator=(const DispatchArgs&) = delete;

    bool ok() const { return m_ok; }   // false: a descriptor byte not supported
    DISPPARAMS* Params() { return &m_params; }

private:
    std::vector<VARIANT> m_args;
    DISPID m_namedArg = DISPID_PROPERTYPUT;
    DISPPARAMS m_params{};
    bool m_ok = true;
};

// Invoke with packed arguments; on failure throws COleException or
// COleDispatchException. vtRet VT_EMPTY takes no result; otherwise pvRet is
// BOOL* (VT_BOOL), long* (VT_I4), CString* (VT_BSTR), LPDISPATCH* (VT_DISPATCH,
// AddRef'd) or VARIANT* (VT_VARIANT).
void AfxInvokeDispatch(IDispatch* pDispatch, DISPID dwDispID, WORD wFlags, VARTYPE vtRet,
                       void* pvRet, const BYTE* pbParamInfo, va_list args);
