#include "browser.h"

#include <exdispid.h>

#include "dll_state.h"
#include "paint.h"

namespace standin {

const CLSID kClsidWebBrowser = {0x8856f961, 0x340a, 0x11d0, {0xa9, 0x6b, 0x00, 0xc0, 0x4f, 0xd7, 0x05, 0xa2}};

namespace {

LONG g_instances = 0;

// Dispatch ids of IWebBrowser2, from its type library.
enum : DISPID {
    kNavigate = 104,
    kRefresh = -550,
    kStop = 106,
    kSilent = 551,
    kLocationName = 210,
    kLocationUrl = 211,
    kBusy = 212,
    kReadyState = -525,
};

// The members of IWebBrowser2 a container may ask for by name.
struct NamedMember {
    const wchar_t* name;
    DISPID id;
};
const NamedMember kMembers[] = {
    {L"Navigate", kNavigate},         {L"Refresh", kRefresh}, {L"Stop", kStop}, {L"Silent", kSilent},
    {L"LocationURL", kLocationUrl},   {L"LocationName", kLocationName}, {L"Busy", kBusy},
    {L"ReadyState", kReadyState},
};

std::string VariantShape(const VARIANT& v) {
    std::string shape = Hex(v.vt).substr(6);  // the low 16 bits, e.g. "400c"
    if ((v.vt & VT_BYREF) && !v.byref) shape += "(null)";
    return shape;
}

HRESULT ReturnBool(VARIANT* result, bool value) {
    if (!result) return S_OK;
    VariantInit(result);
    result->vt = VT_BOOL;
    result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

}  // namespace

HRESULT Browser::Create(REFIID riid, void** ppv) {
    try {
        ComPtr<Browser> browser;
        *browser.Out() = new Browser();
        return browser->QueryInterface(riid, ppv);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

Browser::Browser()
    : instance_(InterlockedIncrement(&g_instances)),
      log_(Log::OpenFromEnvironment(instance_)),
      events_(this, log_.get()),
      paint_(std::make_unique<PaintResources>()) {
    DllAddRef();
    top_ = std::make_unique<Frame>(*this, nullptr, 0);
    LogLine(log_.get(), "created").Int("pid", static_cast<long>(GetCurrentProcessId())).Str("font", paint_->face());
}

Browser::~Browser() {
    top_.reset();
    DestroyViewWindow();
    LogLine(log_.get(), "destroyed").Int("site", site_ ? 1 : 0).Int("sinks", static_cast<long>(events_.count()));
    DllRelease();
}

STDMETHODIMP Browser::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleObject) *ppv = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) *ppv = static_cast<IOleInPlaceObject*>(this);
    else if (riid == IID_IOleInPlaceActiveObject) *ppv = static_cast<IOleInPlaceActiveObject*>(this);
    else if (riid == IID_IPersist || riid == IID_IPersistStreamInit) *ppv = static_cast<IPersistStreamInit*>(this);
    else if (riid == IID_IViewObject || riid == IID_IViewObject2) *ppv = static_cast<IViewObject2*>(this);
    else if (riid == IID_IOleControl) *ppv = static_cast<IOleControl*>(this);
    else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) *ppv = static_cast<IProvideClassInfo2*>(this);
    else if (riid == IID_IConnectionPointContainer) *ppv = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_IDispatch) *ppv = static_cast<IDispatch*>(this);
    if (!*ppv) {
        // The typed interface is not offered: containers drive the control through IDispatch.
        if (riid == IID_IWebBrowser2 || riid == IID_IWebBrowserApp || riid == IID_IWebBrowser)
            LogLine(log_.get(), "qi-refused").Str("iid", "IWebBrowser2");
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) Browser::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) Browser::Release() {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP Browser::GetClassInfo(ITypeInfo** ppTI) {
    if (ppTI) *ppTI = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::GetGUID(DWORD dwGuidKind, GUID* pGUID) {
    if (!pGUID) return E_POINTER;
    if (dwGuidKind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *pGUID = DIID_DWebBrowserEvents2;
    return S_OK;
}

STDMETHODIMP Browser::EnumConnectionPoints(IEnumConnectionPoints** ppEnum) {
    if (ppEnum) *ppEnum = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Browser::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) {
    if (!ppCP) return E_POINTER;
    *ppCP = nullptr;
    if (riid != DIID_DWebBrowserEvents2) return CONNECT_E_NOCONNECTION;
    *ppCP = &events_;
    events_.AddRef();
    return S_OK;
}

STDMETHODIMP Browser::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP Browser::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo) *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP Browser::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
    if (!rgszNames || !rgDispId) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < cNames; ++i) {
        rgDispId[i] = DISPID_UNKNOWN;
        for (const NamedMember& m : kMembers)
            if (rgszNames[i] && _wcsicmp(rgszNames[i], m.name) == 0) rgDispId[i] = m.id;
        if (rgDispId[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP Browser::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO*, UINT*) {
    try {
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        const DISPPARAMS& p = params ? *params : none;
        const bool method = (flags & DISPATCH_METHOD) != 0;
        const bool get = (flags & DISPATCH_PROPERTYGET) != 0;
        const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
        switch (id) {
            case kNavigate: {
                if (!method) return DISP_E_MEMBERNOTFOUND;
                if (p.cArgs < 1 || p.cArgs > 5) return DISP_E_BADPARAMCOUNT;
                std::wstring url;
                if (!VariantText(p.rgvarg[p.cArgs - 1], &url)) return DISP_E_TYPEMISMATCH;
                // The real control tells a null BSTR from an empty one no more than
                // this does, but a test of the caller may want to.
                const VARIANT& first = p.rgvarg[p.cArgs - 1];
                const bool nullBstr = first.vt == VT_BSTR && !first.bstrVal;
                std::string optional;
                for (UINT i = 1; i < p.cArgs; ++i)
                    optional += (i > 1 ? "," : "") + VariantShape(p.rgvarg[p.cArgs - 1 - i]);
                LogLine(log_.get(), "navigate").Str("url", url).Int("null-bstr", nullBstr ? 1 : 0)
                    .Int("args", static_cast<long>(p.cArgs))
                    .Str("optional", optional).Int("active", inPlaceActive_ ? 1 : 0)
                    .Str("result", inPlaceActive_ ? "started" : "queued-until-active");
                RequestNavigation(*top_, url, false, "Navigate");
                return S_OK;
            }
            case kRefresh:
                if (!method) return DISP_E_MEMBERNOTFOUND;
                LogLine(log_.get(), "refresh").Str("url", top_->url);
                if (!top_->url.empty()) RequestNavigation(*top_, top_->url, true, "Refresh");
                return S_OK;
            case kStop:
                if (!method) return DISP_E_MEMBERNOTFOUND;
                StopAll("Stop");
                return S_OK;
            case kSilent:
                if (put) {
                    // A property put names its value DISPID_PROPERTYPUT, as automation requires.
                    if (p.cNamedArgs != 1 || !p.rgdispidNamedArgs || p.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
                        LogLine(log_.get(), "invoke-refused").Int("dispid", id).Str("why", "no-DISPID_PROPERTYPUT");
                        return DISP_E_PARAMNOTFOUND;
                    }
                    if (p.cArgs != 1) return DISP_E_BADPARAMCOUNT;
                    ScopedVariant value;
                    if (FAILED(VariantChangeType(value.Get(), &p.rgvarg[0], 0, VT_BOOL))) return DISP_E_TYPEMISMATCH;
                    silent_ = (*value).boolVal != VARIANT_FALSE;
                    LogLine(log_.get(), "silent").Str("op", "put").Int("value", silent_ ? 1 : 0);
                    return S_OK;
                }
                if (!get) return DISP_E_MEMBERNOTFOUND;
                LogLine(log_.get(), "silent").Str("op", "get").Int("value", silent_ ? 1 : 0);
                return ReturnBool(result, silent_);
            case kLocationUrl:
            case kLocationName:
                if (!get) return DISP_E_MEMBERNOTFOUND;
                if (result) {
                    const std::wstring& text = id == kLocationUrl || top_->doc.title.empty() ? top_->url : top_->doc.title;
                    VariantInit(result);
                    result->vt = VT_BSTR;
                    result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
                }
                return S_OK;
            case kBusy:
                if (!get) return DISP_E_MEMBERNOTFOUND;
                return ReturnBool(result, busy_ > 0 || !queue_.empty());
            case kReadyState:
                if (!get) return DISP_E_MEMBERNOTFOUND;
                if (result) {
                    VariantInit(result);
                    result->vt = VT_I4;
                    result->lVal = busy_ > 0 || !queue_.empty() ? READYSTATE_LOADING : READYSTATE_COMPLETE;
                }
                return S_OK;
        }
        LogLine(log_.get(), "invoke-refused").Int("dispid", id).Int("flags", flags);
        return DISP_E_MEMBERNOTFOUND;
    } catch (...) {
        return E_FAIL;
    }
}

BusyScope::BusyScope(Browser& b) : b_(b) {
    b_.AddRef();  // an event sink may release the control's last reference
    ++b_.busy_;
}

BusyScope::~BusyScope() {
    if (--b_.busy_ == 0) {
        if (b_.discardPending_) {
            b_.discardPending_ = false;
            b_.top_->Discard();
        }
        if (!b_.queue_.empty()) b_.SchedulePump();
    }
    b_.Release();
}

}  // namespace standin
