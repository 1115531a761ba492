// The automation errors InvokeHelper raises. The layer catches them in its
// window procedure, dialog procedure and event dispatch and shows ReportError.
#pragma once
#include <windows.h>
#include "cstring.h"

class CException {
public:
    virtual ~CException() = default;
    virtual CString GetErrorMessage() const = 0;
    // A message box with the error text, owned by the active window.
    int ReportError(UINT nType = MB_OK | MB_ICONEXCLAMATION) const;
};

// A failing OLE call: the HRESULT.
class COleException : public CException {
public:
    explicit COleException(SCODE sc) : m_sc(sc) {}
    CString GetErrorMessage() const override;
    SCODE m_sc;
};

// The object answered DISP_E_EXCEPTION: its error code, description and source.
class COleDispatchException : public CException {
public:
    explicit COleDispatchException(const EXCEPINFO& info);
    CString GetErrorMessage() const override;
    WORD m_wCode = 0;
    SCODE m_scError = S_OK;
    CString m_strDescription;
    CString m_strSource;
};

// Runs a callback body; an exception ends in a message box (ours) or is dropped.
// Used at every place where the platform calls the layer.
template <class F>
bool AfxCallGuarded(F&& body) {
    try {
        body();
        return true;
    } catch (const CException& e) {
        e.ReportError();
    } catch (...) {
        // Nothing else is thrown on purpose; it must not unwind into Win32 frames.
    }
    return false;
}
