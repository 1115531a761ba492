#include "fake_control.h"
#include <olectl.h>
#include "owners/com_ptr.h"
#include "occ.h"

const CLSID CLSID_FakeControl = {0x6B1C0D55, 0x0A3E, 0x4F31, {0x9C, 0x2B, 0x5E, 0x7A, 0x40, 0xD1, 0xC0, 0xDE}};
const IID DIID_FakeEvents = {0x6B1C0D56, 0x0A3E, 0x4F31, {0x9C, 0x2B, 0x5E, 0x7A, 0x40, 0xD1, 0xC0, 0xDE}};

namespace {

std::vector<std::string> g_log;
FakeControl* g_last = nullptr;
LONG g_live = 0;

void Log(const std::string& what) { g_log.push_back(what); }

}  // namespace

class FakeControl : public IOleObject, public IOleInPlaceObject, public IPersistStreamInit,
                    public IConnectionPointContainer, public IProvideClassInfo2 {
public:
    FakeControl() { ++g_live; g_last = this; }
    virtual ~FakeControl() { --g_live; if (g_last == this) g_last = nullptr; Log("destroyed"); }

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
        *ppv = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleObject) *ppv = static_cast<IOleObject*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) *ppv = static_cast<IOleInPlaceObject*>(this);
        else if (iid == IID_IPersistStreamInit) *ppv = static_cast<IPersistStreamInit*>(this);
        else if (iid == IID_IConnectionPointContainer) *ppv = static_cast<IConnectionPointContainer*>(this);
        else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) *ppv = static_cast<IProvideClassInfo2*>(this);
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG n = --m_refs;
        if (n == 0) delete this;
        return n;
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override {
        Log(site ? "SetClientSite" : "SetClientSite(null)");
        m_site = site;
        if (site) {
            // Ambient user mode through the site's IDispatch, as real controls ask.
            ComPtr<IDispatch> ambient;
            ScopedVariant mode;
            DISPPARAMS none{};
            if (SUCCEEDED(ambient.QueryFrom(site, IID_IDispatch)) &&
                SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                          mode.Get(), nullptr, nullptr)) &&
                mode.Get()->vt == VT_BOOL && mode.Get()->boolVal == VARIANT_TRUE)
                Log("usermode");
        }
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** out) override { *out = m_site.Get(); if (*out) (*out)->AddRef(); return S_OK; }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD option) override {
        Log(option == OLECLOSE_NOSAVE ? "Close(nosave)" : "Close");
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT) override {
        if (verb != OLEIVERB_INPLACEACTIVATE) { Log("DoVerb(" + std::to_string(verb) + ")"); return S_OK; }
        ComPtr<IOleInPlaceSite> inPlace;
        if (!site || FAILED(inPlace.QueryFrom(site, IID_IOleInPlaceSite)) || inPlace->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        inPlace->OnInPlaceActivate();
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> document;
        RECT pos{}, clip{};
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof info;
        if (FAILED(inPlace->GetWindowContext(frame.Out(), document.Out(), &pos, &clip, &info))) return E_FAIL;
        HWND siteWindow = nullptr;
        inPlace->GetWindow(&siteWindow);
        if (siteWindow != parent || info.hwndFrame != parent) return E_FAIL;
        m_inPlaceSite = inPlace;
        m_window = CreateWindowExA(0, "STATIC", "fake", WS_CHILD | WS_VISIBLE, pos.left, pos.top,
                                   pos.right - pos.left, pos.bottom - pos.top, parent, nullptr, nullptr, nullptr);
        Log("InPlaceActivate");
        return m_window ? S_OK : E_FAIL;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* id) override { *id = CLSID_FakeControl; return S_OK; }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override { *status = OLEMISC_SETCLIENTSITEFIRST; return S_OK; }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* out) override { *out = m_window; return m_window ? S_OK : E_FAIL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override {
        // A control still needs its site here.
        Log(m_site ? "InPlaceDeactivate" : "InPlaceDeactivate without site");
        if (m_inPlaceSite) m_inPlaceSite->OnInPlaceDeactivate();
        m_inPlaceSite.Reset();
        if (m_window) DestroyWindow(m_window);
        m_window = nullptr;
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT) override {
        Log("SetObjectRects " + std::to_string(pos->right - pos->left) + "x" + std::to_string(pos->bottom - pos->top));
        if (m_window) MoveWindow(m_window, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* id) override { *id = CLSID_FakeControl; return S_OK; }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM) override { return E_NOTIMPL; }
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP InitNew() override { Log("InitNew"); return S_OK; }

    // IConnectionPointContainer, and the one connection point
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
        *out = nullptr;
        if (iid != DIID_FakeEvents) return CONNECT_E_NOCONNECTION;
        *out = &m_point;
        AddRef();
        return S_OK;
    }

    // IProvideClassInfo2: the default source is the fake event interface.
    STDMETHODIMP GetClassInfo(ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override {
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
        *guid = DIID_FakeEvents;
        return S_OK;
    }

    void Fire(const wchar_t* text) {
        if (!m_sink) return;
        VARIANT arg;
        arg.vt = VT_BSTR;
        arg.bstrVal = SysAllocString(text);
        DISPPARAMS params{&arg, nullptr, 1, 0};
        m_sink->Invoke(7, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        VariantClear(&arg);
    }

private:
    // The connection point: its own interface, the control's reference count.
    class EventPoint : public IConnectionPoint {
    public:
        explicit EventPoint(FakeControl* owner) : m_owner(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
            *ppv = nullptr;
            if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
            *ppv = this;
            AddRef();
            return S_OK;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return m_owner->AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return m_owner->Release(); }
        STDMETHODIMP GetConnectionInterface(IID* iid) override { *iid = DIID_FakeEvents; return S_OK; }
        STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override {
            return m_owner->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(out));
        }
        STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override {
            if (FAILED(m_owner->m_sink.QueryFrom(sink, DIID_FakeEvents))) return CONNECT_E_CANNOTCONNECT;
            Log("Advise");
            *cookie = 42;
            return S_OK;
        }
        STDMETHODIMP Unadvise(DWORD cookie) override {
            Log(cookie == 42 ? "Unadvise" : "Unadvise(bad cookie)");
            m_owner->m_sink.Reset();
            return S_OK;
        }
        STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
    private:
        FakeControl* m_owner;
    };

    EventPoint m_point{this};
    ULONG m_refs = 0;
    ComPtr<IOleClientSite> m_site;
    ComPtr<IOleInPlaceSite> m_inPlaceSite;
    ComPtr<IDispatch> m_sink;
    HWND m_window = nullptr;
};

namespace {

class Factory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) { *ppv = this; return S_OK; }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }   // static object
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** ppv) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* control = new FakeControl;
        control->AddRef();
        HRESULT hr = control->QueryInterface(iid, ppv);
        control->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};
Factory g_factory;

}  // namespace

FakeControlClass::FakeControlClass() {
    g_log.clear();
    // Class objects need COM on the thread: the container's OLE initialisation.
    AfxEnableControlContainer();
    CoRegisterClassObject(CLSID_FakeControl, &g_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
}
FakeControlClass::~FakeControlClass() { CoRevokeClassObject(m_cookie); }
std::vector<std::string>& FakeControlClass::Log() { return g_log; }
FakeControl* FakeControlClass::Last() { return g_last; }
LONG FakeControlClass::LiveObjects() { return g_live; }

void FireFakeEvent(const wchar_t* text) {
    if (g_last) g_last->Fire(text);
}
