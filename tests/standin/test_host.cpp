#include "test_host.h"

#include <cstdio>

namespace standin_test {

namespace {

const CLSID kClsidWebBrowser = {0x8856f961, 0x340a, 0x11d0, {0xa9, 0x6b, 0x00, 0xc0, 0x4f, 0xd7, 0x05, 0xa2}};

std::string Shape(const DISPPARAMS* p) {
    std::string out;
    for (UINT i = 0; p && i < p->cArgs; ++i) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%x", p->rgvarg[i].vt);
        out += (i ? " " : "") + std::string(buf);
    }
    return out;
}

// Posted by PumpPosted to the site window; the count of those handled.
constexpr UINT kMarkerMessage = WM_APP + 0x3E;
unsigned g_markersHandled = 0;

LRESULT CALLBACK SiteWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == kMarkerMessage) {
        ++g_markersHandled;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, w, l);
}

HWND CreateSiteWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SiteWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"StandinTestSite";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);  // fails harmlessly when already registered
    HWND hwnd = CreateWindowExW(0, L"StandinTestSite", L"stand-in test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                660, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Not shown unless a test paints on screen: without a window manager, Wine
    // waits two seconds for one whenever a shown top-level window goes.
    return hwnd;
}

}  // namespace

STDMETHODIMP HostDispatch::QueryInterface(REFIID riid, void** ppv) {
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != m_also) return E_NOINTERFACE;
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP External::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        std::wstring n = names[i];
        ids[i] = n == L"record" ? 1 : n == L"answer" ? 2 : DISPID_UNKNOWN;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP External::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT* result, EXCEPINFO*, UINT*) {
    if (id == 1) {
        std::wstring text = L"record(";
        for (UINT i = p->cArgs; i-- > 0;) {
            std::wstring arg;
            standin::VariantText(p->rgvarg[i], &arg);
            text += arg + (i ? L"," : L"");
        }
        calls.push_back(text + L")");
        return S_OK;
    }
    if (id == 2) {
        if (result) {
            VariantInit(result);
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(L"forty-two");
        }
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) {
    EventRecord e;
    e.id = id;
    e.shape = Shape(p);
    if (p && p->cArgs >= 2 && (id == 250 || id == 252 || id == 259 || id == 271)) {
        const VARIANT& disp = p->rgvarg[p->cArgs - 1];
        e.disp = disp.vt == VT_DISPATCH ? disp.pdispVal : nullptr;
        standin::VariantText(p->rgvarg[p->cArgs - 2], &e.url);
    }
    if (id == 250 && p && p->cArgs == 7 && !cancelContaining.empty() && e.url.find(cancelContaining) != std::wstring::npos &&
        p->rgvarg[0].vt == (VT_BYREF | VT_BOOL))
        *p->rgvarg[0].pboolVal = VARIANT_TRUE;
    events.push_back(e);
    if (onEvent) onEvent(e);
    return S_OK;
}

std::vector<EventRecord> EventSink::Of(DISPID id) const {
    std::vector<EventRecord> out;
    for (const auto& e : events)
        if (e.id == id) out.push_back(e);
    return out;
}

STDMETHODIMP Site::QueryInterface(REFIID riid, void** ppv) {
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceFrame || riid == IID_IOleInPlaceUIWindow) *ppv = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == IID_IDocHostUIHandler && offerUiHandler) *ppv = static_cast<IDocHostUIHandler*>(this);
    else if (riid == IID_IDispatch) *ppv = static_cast<IDispatch*>(this);
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP Site::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT p, LPRECT clip,
                                    LPOLEINPLACEFRAMEINFO info) {
    Count("GetWindowContext");
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    *p = pos;
    *clip = pos;
    info->fMDIApp = FALSE;
    info->hwndFrame = hwnd;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP Site::SetActiveObject(IOleInPlaceActiveObject* obj, LPCOLESTR) {
    Count(obj ? "SetActiveObject" : "SetActiveObject(null)");
    return S_OK;
}

STDMETHODIMP Site::GetHostInfo(DOCHOSTUIINFO* info) {
    Count("GetHostInfo");
    info->dwFlags = hostFlags;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

STDMETHODIMP Site::TranslateAccelerator(LPMSG msg, const GUID*, DWORD) {
    Count("TranslateAccelerator");
    keysAsked.push_back(msg->message);
    return translateAnswer;
}

STDMETHODIMP Site::GetExternal(IDispatch** disp) {
    Count("GetExternal");
    *disp = external;
    if (!external) return S_FALSE;
    external->AddRef();
    return S_OK;
}

STDMETHODIMP Site::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
    Count("ambient");
    if (id == -5502 && result) {  // DISPID_AMBIENT_SILENT
        VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = VARIANT_FALSE;
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

Host::Host(const std::string& logPath) : log(logPath) {
    SetEnvironmentVariableA("VORN_STANDIN_LOG", logPath.c_str());
    window = CreateSiteWindow();
    site.hwnd = window;
    site.external = &external;
}

Host::~Host() {
    Teardown();
    if (window) DestroyWindow(window);
    SetEnvironmentVariableA("VORN_STANDIN_LOG", nullptr);
}

HRESULT Host::Create() {
    return CoCreateInstance(kClsidWebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, control.OutVoid());
}

HRESULT Host::Attach() { return control->SetClientSite(&site); }

HRESULT Host::Activate(LONG verb) {
    return control->DoVerb(verb, nullptr, &site, 0, window, &site.pos);
}

HRESULT Host::Advise(EventSink* s, DWORD* c) {
    ComPtr<IConnectionPointContainer> container;
    HRESULT hr = control.As(&container);
    ComPtr<IConnectionPoint> point;
    if (SUCCEEDED(hr)) hr = container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Out());
    if (SUCCEEDED(hr)) hr = point->Advise(static_cast<IDispatch*>(s), c);
    return hr;
}

HRESULT Host::Call(DISPID id, WORD flags, std::vector<VARIANT*> args, VARIANT* result) {
    ComPtr<IDispatch> disp;
    HRESULT hr = control.As(&disp);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS p = {reversed.data(), flags == DISPATCH_PROPERTYPUT ? &put : nullptr, static_cast<UINT>(reversed.size()),
                    flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    return disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &p, result, nullptr, nullptr);
}

HRESULT Host::Navigate(const std::wstring& url) {
    ScopedBstr bstr(url);
    VARIANT vUrl, nulls[4];
    vUrl.vt = VT_BSTR;
    vUrl.bstrVal = bstr.Get();
    std::vector<VARIANT*> args = {&vUrl};
    for (VARIANT& v : nulls) {
        v.vt = VT_BYREF | VT_VARIANT;
        v.pvarVal = nullptr;
        args.push_back(&v);
    }
    return Call(104, DISPATCH_METHOD, args);
}

bool Host::Start() {
    return SUCCEEDED(Create()) && SUCCEEDED(Attach()) && SUCCEEDED(Advise(&sink, &cookie)) && SUCCEEDED(Activate());
}

void Host::Teardown() {
    if (!control) return;
    // The order the real control expects: deactivate in place, unadvise, detach the site, close.
    ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(control.As(&inPlace))) inPlace->InPlaceDeactivate();
    inPlace.Reset();
    if (cookie) {
        ComPtr<IConnectionPointContainer> container;
        ComPtr<IConnectionPoint> point;
        if (SUCCEEDED(control.As(&container)) &&
            SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Out())))
            point->Unadvise(cookie);
        cookie = 0;
    }
    control->SetClientSite(nullptr);
    control->Close(OLECLOSE_NOSAVE);
    control.Reset();
}

void Host::Pump(int ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

bool Host::PumpPosted() {
    const unsigned target = g_markersHandled + 1;
    if (!PostMessageW(window, kMarkerMessage, 0, 0)) return false;
    return PumpUntil([&] { return g_markersHandled >= target; });
}

bool Host::PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    DWORD end = GetTickCount() + timeoutMs;
    while (!done()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
        Pump(10);
    }
    return true;
}

bool Host::WaitForEvent(DISPID id, const std::wstring& urlPart, int timeoutMs) {
    return PumpUntil([&] {
        for (const auto& e : sink.events)
            if (e.id == id && e.url.find(urlPart) != std::wstring::npos) return true;
        return false;
    }, timeoutMs);
}

HWND Host::ControlWindow() {
    ComPtr<IOleInPlaceObject> inPlace;
    HWND hwnd = nullptr;
    if (control && SUCCEEDED(control.As(&inPlace))) inPlace->GetWindow(&hwnd);
    return hwnd;
}

bool Host::FindBox(const std::string& text, POINT* centre, std::string frame) {
    bool found = false;
    for (const LogEntry& e : log.Find("layout")) {
        if (e.Get("text") != text || (!frame.empty() && e.Get("frame") != frame)) continue;
        centre->x = e.Int("x") + e.Int("w") / 2;
        centre->y = e.Int("y") + e.Int("h") / 2;
        found = true;
    }
    return found;
}

void Host::ClickAt(POINT client, bool right) {
    HWND hwnd = ControlWindow();
    LPARAM at = MAKELPARAM(client.x, client.y);
    SendMessageW(hwnd, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    SendMessageW(hwnd, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

}  // namespace standin_test
