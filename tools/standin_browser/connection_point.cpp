#include "connection_point.h"

#include <exdisp.h>

namespace standin {

Sinks EventConnectionPoint::Snapshot() const {
    Sinks out;
    for (const auto& s : sinks_) out.push_back(s.second);
    return out;
}

STDMETHODIMP EventConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IConnectionPoint) return E_NOINTERFACE;
    *ppv = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP EventConnectionPoint::GetConnectionInterface(IID* pIID) {
    if (!pIID) return E_POINTER;
    *pIID = DIID_DWebBrowserEvents2;
    return S_OK;
}

STDMETHODIMP EventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** ppCPC) {
    if (!ppCPC) return E_POINTER;
    *ppCPC = owner_;
    owner_->AddRef();
    return S_OK;
}

STDMETHODIMP EventConnectionPoint::Advise(IUnknown* pUnkSink, DWORD* pdwCookie) {
    try {
        if (!pUnkSink || !pdwCookie) return E_POINTER;
        *pdwCookie = 0;
        // The events' own interface first; a plain IDispatch is taken as well.
        ComPtr<IDispatch> sink;
        const char* via = "DWebBrowserEvents2";
        if (FAILED(sink.QueryFrom(pUnkSink, DIID_DWebBrowserEvents2))) {
            via = "IDispatch";
            if (FAILED(sink.QueryFrom(pUnkSink, IID_IDispatch))) {
                LogLine(log_, "advise").Str("result", "refused").Str("why", "sink has no IDispatch");
                return CONNECT_E_CANNOTCONNECT;
            }
        }
        DWORD cookie = nextCookie_++;
        sinks_.emplace_back(cookie, sink);
        *pdwCookie = cookie;
        LogLine(log_, "advise").Int("cookie", static_cast<long>(cookie)).Str("via", via)
            .Int("sinks", static_cast<long>(sinks_.size()));
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP EventConnectionPoint::Unadvise(DWORD dwCookie) {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->first != dwCookie) continue;
        // Moved out first: releasing the sink may call back into the control.
        ComPtr<IDispatch> sink = std::move(it->second);
        sinks_.erase(it);
        LogLine(log_, "unadvise").Int("cookie", static_cast<long>(dwCookie)).Int("sinks", static_cast<long>(sinks_.size()));
        return S_OK;
    }
    LogLine(log_, "unadvise").Int("cookie", static_cast<long>(dwCookie)).Str("result", "unknown-cookie");
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP EventConnectionPoint::EnumConnections(IEnumConnections** ppEnum) {
    if (ppEnum) *ppEnum = nullptr;
    return E_NOTIMPL;
}

}  // namespace standin
