#include "browser/scripting_object.h"

#include "text/ansi_text.h"
#include "owners/com_ptr.h"
#include "browser/script_names.h"

namespace {

// An argument as the page's text. Strings are taken as they are, zeros
// included; anything else goes through the platform's conversion (42 becomes
// "42"). False when the argument has no text form.
bool ArgumentText(const VARIANT& arg, std::wstring* out) {
    if (arg.vt == VT_BSTR) {
        *out = text::BstrText(arg.bstrVal);
        return true;
    }
    ScopedVariant converted;
    if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&arg), 0, VT_BSTR))) {
        return false;
    }
    *out = text::BstrText(converted.Get()->bstrVal);
    return true;
}

// The narrow text of what a page wants stored; false when the code page lacks
// one of its characters, which would be stored as another.
bool ExactNarrowText(const std::wstring& wide, std::string* narrow) {
    *narrow = text::WideToAnsi(wide);
    return text::SameText(*narrow, wide);
}

HRESULT PutText(VARIANT* result, std::string_view value) {
    BSTR bstr = text::AnsiToBstr(value);
    if (!bstr) {
        return E_OUTOFMEMORY;
    }
    result->vt = VT_BSTR;
    result->bstrVal = bstr;
    return S_OK;
}

}  // namespace

CImpIDispatch::CImpIDispatch()
    : m_strQueryArgs("queryArgs"),
      m_strReadConfig("readConfig"),
      m_strWriteConfig("writeConfig"),
      m_strSection(config::kNetAddrSection),
      m_strFile(config::kConfigFile),
      m_store(m_strSection, m_strFile) {}

STDMETHODIMP CImpIDispatch::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IUnknown)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CImpIDispatch::AddRef() {
    return static_cast<ULONG>(++m_nRef);
}

STDMETHODIMP_(ULONG) CImpIDispatch::Release() {
    // Never deleted: the application releases it once more at exit than it added.
    return static_cast<ULONG>(--m_nRef);
}

STDMETHODIMP CImpIDispatch::GetTypeInfoCount(UINT*) {
    return E_NOTIMPL;
}

STDMETHODIMP CImpIDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

STDMETHODIMP CImpIDispatch::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID,
                                          DISPID* rgDispId) {
    if (cNames > 0 && (!rgszNames || !rgDispId)) {
        return E_POINTER;
    }
    try {
        HRESULT hr = S_OK;
        for (UINT i = 0; i < cNames; ++i) {
            const std::wstring_view wide = rgszNames[i] ? std::wstring_view(rgszNames[i]) : std::wstring_view();
            DISPID id = script::MethodId(text::WideToAnsi(wide));
            if (id == script::kUnknownMember && script::IsWibblePropertyName(wide)) {
                id = script::kWibble;
            }
            if (id == script::kUnknownMember) {
                hr = DISP_E_UNKNOWNNAME;  // and go on: every name gets its id
            }
            rgDispId[i] = id;
        }
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP CImpIDispatch::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags,
                                   DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO*,
                                   UINT* puArgErr) {
    try {
        if (dispIdMember == script::kWibble) {
            if ((wFlags & DISPATCH_PROPERTYGET) && pVarResult) {
                VariantInit(pVarResult);
                return PutText(pVarResult, "Wibble");
            }
            return S_OK;
        }
        const unsigned needed = script::ArgumentCount(dispIdMember);
        if (needed == 0 || !(wFlags & DISPATCH_METHOD)) {
            return S_OK;
        }
        // Never read past what the script passed. rgvarg holds the arguments
        // in reverse, the script's first one last: counting from the end keeps
        // the first ones in script order when a page passes extra arguments,
        // which are ignored as script functions ignore them.
        const unsigned passed = pDispParams && pDispParams->rgvarg ? pDispParams->cArgs : 0;
        if (passed < needed) {
            return DISP_E_BADPARAMCOUNT;
        }
        std::wstring args[2];  // in script order
        for (unsigned i = 0; i < needed; ++i) {
            const unsigned slot = passed - 1 - i;
            if (!ArgumentText(pDispParams->rgvarg[slot], &args[i])) {
                if (puArgErr) {
                    *puArgErr = slot;
                }
                return DISP_E_TYPEMISMATCH;
            }
        }
        // A script engine may pass no result slot when the script drops the
        // answer (writeConfig(k, v); as a statement): the write still happens.
        ScopedVariant unused;
        VARIANT* result = pVarResult ? pVarResult : unused.Get();
        VariantInit(result);
        return CallMethod(dispIdMember, args, result);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CImpIDispatch::CallMethod(DISPID id, const std::wstring* args, VARIANT* pVarResult) const {
    switch (id) {
    case script::kQueryArgs:
        return PutText(pVarResult, queryArgs(text::WideToAnsi(args[0])));
    case script::kReadConfig:
        return PutText(pVarResult, readConfig(text::WideToAnsi(args[0])));
    case script::kWriteConfig: {
        std::string key;
        std::string value;
        const bool stored = ExactNarrowText(args[0], &key) && ExactNarrowText(args[1], &value) &&
                            writeConfig(key, value);
        pVarResult->vt = VT_BOOL;
        pVarResult->boolVal = stored ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    default:
        return S_OK;
    }
}

std::string CImpIDispatch::queryArgs(const std::string& name) const {
    return m_store.queryArgs(name.c_str());
}

std::string CImpIDispatch::readConfig(const std::string& key) const {
    return m_store.readConfig(key.c_str());
}

BOOL CImpIDispatch::writeConfig(const std::string& key, const std::string& value) const {
    return m_store.writeConfig(key, value);
}
