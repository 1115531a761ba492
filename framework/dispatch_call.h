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
// COleDispatchException. The program takes no results: vtRet is VT_EMPTY (any
// other is refused with E_INVALIDARG before the call) and pvRet unused.
void AfxInvokeDispatch(IDispatch* pDispatch, DISPID dwDispID, WORD wFlags, VARTYPE vtRet,
                       void* pvRet, const BYTE* pbParamInfo, va_list args);
