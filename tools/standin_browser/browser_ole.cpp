// Embedding and in-place activation. The control shows nothing and loads no
// page until its site has let it activate in place: CanInPlaceActivate,
// OnInPlaceActivate, GetWindow (its window becomes a child of that one),
// GetWindowContext. A Navigate before that is kept and runs after activation.
#include <idispids.h>

#include "browser.h"

namespace standin {

namespace {

const char* VerbName(LONG verb) {
    switch (verb) {
        case OLEIVERB_PRIMARY: return "PRIMARY";
        case OLEIVERB_SHOW: return "SHOW";
        case OLEIVERB_OPEN: return "OPEN";
        case OLEIVERB_HIDE: return "HIDE";
        case OLEIVERB_UIACTIVATE: return "UIACTIVATE";
        case OLEIVERB_INPLACEACTIVATE: return "INPLACEACTIVATE";
        case OLEIVERB_DISCARDUNDOSTATE: return "DISCARDUNDOSTATE";
    }
    return "other";
}

}  // namespace

STDMETHODIMP Browser::SetClientSite(IOleClientSite* pClientSite) {
    try {
        LogLine(log_.get(), "clientsite").Int("set", pClientSite ? 1 : 0).Int("active", inPlaceActive_ ? 1 : 0);
        if (!pClientSite) {
            // Losing its site while active in place: leave the site's window first.
            if (inPlaceActive_) InPlaceDeactivate();
            uiHandler_.Reset();
            inPlaceSite_.Reset();
            site_.Reset();
            return S_OK;
        }
        site_ = pClientSite;
        HRESULT hr = uiHandler_.QueryFrom(pClientSite, IID_IDocHostUIHandler);
        LogLine(log_.get(), "uihandler").Int("found", SUCCEEDED(hr) ? 1 : 0);
        ReadAmbientProperties(DISPID_UNKNOWN);
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP Browser::GetClientSite(IOleClientSite** ppClientSite) {
    if (!ppClientSite) return E_POINTER;
    site_.CopyTo(ppClientSite);
    return S_OK;
}

STDMETHODIMP Browser::SetHostNames(LPCOLESTR app, LPCOLESTR) {
    LogLine(log_.get(), "hostnames").Str("app", app ? std::wstring(app) : std::wstring());
    return S_OK;
}

void Browser::ReadAmbientProperties(DISPID which) {
    ComPtr<IDispatch> ambient;
    if (FAILED(ambient.QueryFrom(site_.Get(), IID_IDispatch))) return;
    for (DISPID id : {DISPID_AMBIENT_OFFLINEIFNOTCONNECTED, DISPID_AMBIENT_SILENT}) {
        if (which != DISPID_UNKNOWN && which != id) continue;
        ScopedVariant value;
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        HRESULT hr = ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.Get(),
                                     nullptr, nullptr);
        LogLine(log_.get(), "ambient").Int("dispid", id).Hr(hr).Int("vt", (*value).vt);
        // An ambient Silent of true makes the control silent, as the real one does.
        if (id == DISPID_AMBIENT_SILENT && SUCCEEDED(hr) && (*value).vt == VT_BOOL && (*value).boolVal) silent_ = true;
    }
}

STDMETHODIMP Browser::Close(DWORD) {
    try {
        LogLine(log_.get(), "close").Int("active", inPlaceActive_ ? 1 : 0);
        InPlaceDeactivate();
        StopAll("close");
        closed_ = true;
        // Pages whose scripts or events are running go when those end.
        if (busy_ > 0) discardPending_ = true;
        else top_->Discard();
        if (adviseHolder_) adviseHolder_->SendOnClose();
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP Browser::GetMoniker(DWORD, DWORD, IMoniker** ppmk) {
    if (ppmk) *ppmk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::GetClipboardData(DWORD, IDataObject** ppDataObject) {
    if (ppDataObject) *ppDataObject = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::DoVerb(LONG iVerb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT lprcPosRect) {
    try {
        LogLine(log_.get(), "doverb").Str("verb", VerbName(iVerb)).Int("id", iVerb);
        HRESULT hr = S_OK;
        switch (iVerb) {
            case OLEIVERB_PRIMARY:
            case OLEIVERB_SHOW:
            case OLEIVERB_INPLACEACTIVATE:
            case OLEIVERB_UIACTIVATE:
                hr = ActivateInPlace(VerbName(iVerb));
                if (FAILED(hr)) return hr;
                if (lprcPosRect) SetObjectRects(lprcPosRect, lprcPosRect);
                ShowWindow(hwnd_, SW_SHOWNA);
                if (iVerb == OLEIVERB_UIACTIVATE) hr = ActivateUI();
                return hr;
            case OLEIVERB_HIDE:
                if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
                return S_OK;
            case OLEIVERB_OPEN:
                return E_NOTIMPL;
        }
        return OLEOBJ_S_INVALIDVERB;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT Browser::ActivateInPlace(const char* verb) {
    if (inPlaceActive_) return S_OK;
    if (!site_) {
        LogLine(log_.get(), "inplace").Str("step", "refused").Str("why", "no-client-site").Str("verb", verb);
        return E_UNEXPECTED;
    }
    HRESULT hr = inPlaceSite_.QueryFrom(site_.Get(), IID_IOleInPlaceSite);
    if (FAILED(hr)) {
        LogLine(log_.get(), "inplace").Str("step", "refused").Str("why", "no-IOleInPlaceSite");
        return E_NOINTERFACE;
    }
    hr = inPlaceSite_->CanInPlaceActivate();
    LogLine(log_.get(), "inplace").Str("step", "CanInPlaceActivate").Hr(hr);
    if (hr != S_OK) return E_FAIL;
    hr = inPlaceSite_->OnInPlaceActivate();
    LogLine(log_.get(), "inplace").Str("step", "OnInPlaceActivate").Hr(hr);
    if (FAILED(hr)) return hr;
    parent_ = nullptr;
    hr = inPlaceSite_->GetWindow(&parent_);
    LogLine(log_.get(), "inplace").Str("step", "GetWindow").Hr(hr).HexValue("hwnd", reinterpret_cast<ULONG_PTR>(parent_));
    if (FAILED(hr) || !IsWindow(parent_)) {
        inPlaceSite_->OnInPlaceDeactivate();
        return E_FAIL;
    }
    OLEINPLACEFRAMEINFO info = {};
    info.cb = sizeof info;
    RECT pos = {}, clip = {};
    hr = inPlaceSite_->GetWindowContext(inPlaceFrame_.Out(), uiWindow_.Out(), &pos, &clip, &info);
    LogLine(log_.get(), "inplace").Str("step", "GetWindowContext").Hr(hr).Int("x", pos.left).Int("y", pos.top)
        .Int("w", pos.right - pos.left).Int("h", pos.bottom - pos.top);
    if (FAILED(hr)) {
        inPlaceSite_->OnInPlaceDeactivate();
        return hr;
    }
    pos_ = pos;
    AskHostInfo("activate");
    closed_ = false;
    if (!CreateViewWindow()) {
        inPlaceSite_->OnInPlaceDeactivate();
        return E_FAIL;
    }
    inPlaceActive_ = true;
    LogLine(log_.get(), "inplace").Str("step", "active").HexValue("hwnd", reinterpret_cast<ULONG_PTR>(hwnd_))
        .HexValue("parent", reinterpret_cast<ULONG_PTR>(GetParent(hwnd_)));
    SchedulePump();  // a Navigate made before activation runs now
    return S_OK;
}

HRESULT Browser::ActivateUI() {
    if (uiActive_ || !inPlaceActive_) return inPlaceActive_ ? S_OK : E_UNEXPECTED;
    HRESULT hr = inPlaceSite_->OnUIActivate();
    LogLine(log_.get(), "uiactivate").Str("step", "OnUIActivate").Hr(hr);
    uiActive_ = true;
    if (inPlaceFrame_) inPlaceFrame_->SetActiveObject(this, L"Web Browser");
    if (uiWindow_) uiWindow_->SetActiveObject(this, L"Web Browser");
    if (uiHandler_) {
        hr = uiHandler_->ShowUI(DOCHOSTUITYPE_BROWSE, this, nullptr, inPlaceFrame_.Get(), uiWindow_.Get());
        LogLine(log_.get(), "uiactivate").Str("step", "ShowUI").Hr(hr);
    }
    if (hwnd_ && GetFocus() != hwnd_) SetFocus(hwnd_);
    return S_OK;
}

STDMETHODIMP Browser::EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) {
    if (ppEnumOleVerb) *ppEnumOleVerb = nullptr;
    return OLE_S_USEREG;
}

STDMETHODIMP Browser::GetUserClassID(CLSID* pClsid) {
    if (!pClsid) return E_POINTER;
    *pClsid = kClsidWebBrowser;
    return S_OK;
}

STDMETHODIMP Browser::GetUserType(DWORD, LPOLESTR* pszUserType) {
    if (pszUserType) *pszUserType = nullptr;
    return OLE_S_USEREG;
}

STDMETHODIMP Browser::SetExtent(DWORD dwDrawAspect, SIZEL* psizel) {
    if (!psizel) return E_POINTER;
    if (dwDrawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    extent_ = *psizel;
    LogLine(log_.get(), "setextent").Int("cx", psizel->cx).Int("cy", psizel->cy);
    return S_OK;
}

STDMETHODIMP Browser::GetExtent(DWORD dwDrawAspect, SIZEL* psizel) {
    if (!psizel) return E_POINTER;
    if (dwDrawAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *psizel = extent_;
    return S_OK;
}

STDMETHODIMP Browser::Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection) {
    if (!adviseHolder_ && FAILED(CreateOleAdviseHolder(adviseHolder_.Out()))) return E_OUTOFMEMORY;
    return adviseHolder_->Advise(pAdvSink, pdwConnection);
}

STDMETHODIMP Browser::Unadvise(DWORD dwConnection) {
    return adviseHolder_ ? adviseHolder_->Unadvise(dwConnection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP Browser::EnumAdvise(IEnumSTATDATA** ppenumAdvise) {
    if (!ppenumAdvise) return E_POINTER;
    *ppenumAdvise = nullptr;
    return adviseHolder_ ? adviseHolder_->EnumAdvise(ppenumAdvise) : S_OK;
}

STDMETHODIMP Browser::GetMiscStatus(DWORD, DWORD* pdwStatus) {
    if (!pdwStatus) return E_POINTER;
    *pdwStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
                 OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
}

STDMETHODIMP Browser::GetWindow(HWND* phwnd) {
    if (!phwnd) return E_POINTER;
    *phwnd = hwnd_;
    return hwnd_ ? S_OK : E_FAIL;
}

STDMETHODIMP Browser::InPlaceDeactivate() {
    try {
        LogLine(log_.get(), "inplace-deactivate").Int("active", inPlaceActive_ ? 1 : 0);
        if (!inPlaceActive_) return S_OK;
        UIDeactivate();
        DestroyViewWindow();
        inPlaceActive_ = false;
        inPlaceFrame_.Reset();
        uiWindow_.Reset();
        if (inPlaceSite_) inPlaceSite_->OnInPlaceDeactivate();
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP Browser::UIDeactivate() {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    LogLine(log_.get(), "ui-deactivate");
    if (uiHandler_) uiHandler_->HideUI();
    if (inPlaceFrame_) inPlaceFrame_->SetActiveObject(nullptr, nullptr);
    if (uiWindow_) uiWindow_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP Browser::SetObjectRects(LPCRECT lprcPosRect, LPCRECT) {
    try {
        if (!lprcPosRect) return E_POINTER;
        pos_ = *lprcPosRect;
        LogLine(log_.get(), "setobjectrects").Int("x", pos_.left).Int("y", pos_.top).Int("w", pos_.right - pos_.left)
            .Int("h", pos_.bottom - pos_.top);
        if (hwnd_) {
            MoveWindow(hwnd_, pos_.left, pos_.top, pos_.right - pos_.left, pos_.bottom - pos_.top, TRUE);
            Relayout();
        }
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP Browser::TranslateAccelerator(LPMSG lpmsg) {
    try {
        if (!lpmsg) return E_POINTER;
        if (AskTranslateAccelerator(lpmsg, "active-object") == S_OK) return S_OK;
        return OwnAccelerator(*lpmsg) ? S_OK : S_FALSE;
    } catch (...) {
        return S_FALSE;
    }
}

STDMETHODIMP Browser::GetControlInfo(CONTROLINFO* pCI) {
    if (!pCI) return E_POINTER;
    LogLine(log_.get(), "getcontrolinfo");
    pCI->hAccel = nullptr;
    pCI->cAccel = 0;
    pCI->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP Browser::OnAmbientPropertyChange(DISPID dispID) {
    try {
        LogLine(log_.get(), "ambient-change").Int("dispid", dispID);
        ReadAmbientProperties(dispID);
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP Browser::FreezeEvents(BOOL bFreeze) {
    LogLine(log_.get(), "freeze-events").Int("value", bFreeze ? 1 : 0);
    return S_OK;
}

}  // namespace standin
