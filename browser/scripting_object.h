// CImpIDispatch: the scripting object pages see as window.external in both
// browsers. One instance lives for the whole process; Release only counts
// down and never deletes it, so a page may hold it as long as it likes.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "browser/config_store.h"

class CImpIDispatch : public IDispatch {
public:
    CImpIDispatch();
    virtual ~CImpIDispatch() = default;
    CImpIDispatch(const CImpIDispatch&) = delete;
    CImpIDispatch& operator=(const CImpIDispatch&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                               DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                        DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                        UINT* puArgErr) override;

    // The work behind the methods, over WebCfg.ini and the command line.
    std::string queryArgs(const std::string& name) const;
    std::string readConfig(const std::string& key) const;
    BOOL writeConfig(const std::string& key, const std::string& value) const;

    // The reference count, for tests and the host's log; may go below zero.
    LONG RefCount() const { return m_nRef; }

private:
    // args: the member's arguments as the page's text, in script order.
    HRESULT CallMethod(DISPID id, const std::wstring* args, VARIANT* pVarResult) const;

    const std::string m_strQueryArgs;
    const std::string m_strReadConfig;
    const std::string m_strWriteConfig;
    const std::string m_strSection;
    const std::string m_strFile;
    LONG m_nRef = 0;
    const config::CConfigStore m_store;
};
