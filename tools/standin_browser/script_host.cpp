#include "script_host.h"

#include "dll_state.h"
#include "host_objects.h"

namespace standin {

ComPtr<ScriptHost> ScriptHost::Start(ContextLinkPtr link, HWND window, std::shared_ptr<Log> log,
                                     const std::string& frame, bool* silent) {
    ComPtr<ScriptHost> host;
    *host.Out() = new ScriptHost(std::move(link), window, std::move(log), frame, silent);
    if (!host->Init()) host.Reset();  // a failed Init has let go of the engine
    return host;
}

ScriptHost::ScriptHost(ContextLinkPtr link, HWND window, std::shared_ptr<Log> log, const std::string& frame,
                       bool* silent)
    : link_(std::move(link)), hwnd_(window), log_(std::move(log)), frame_(frame), silent_(silent) {
    DllAddRef();
}

ScriptHost::~ScriptHost() { DllRelease(); }

bool ScriptHost::Init() {
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(L"JScript", &clsid);
    if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript, engine_.OutVoid());
    // The parse interface has another id in 64-bit engines: the header picks the
    // architecture's one, and MinGW's import libraries lack both ids.
    if (SUCCEEDED(hr)) hr = engine_->QueryInterface(__uuidof(IActiveScriptParse), parse_.OutVoid());
    if (SUCCEEDED(hr)) hr = engine_->SetScriptSite(this);
    bool hasSite = SUCCEEDED(hr);
    if (SUCCEEDED(hr)) hr = parse_->InitNew();
    if (FAILED(hr)) {
        LogLine(log_.get(), "script-engine").Str("frame", frame_).Str("result", "unavailable").Hr(hr);
        // Close on an engine that never got its site crashes inside the engine;
        // one that has it is closed so it lets go of this site.
        parse_.Reset();
        if (engine_ && hasSite) engine_->Close();
        engine_.Reset();
        return false;
    }
    location_ = CreateLocationObject(link_);
    document_ = CreateDocumentObject(link_, location_);
    window_ = CreateWindowObject(link_, location_, document_);
    engine_->AddNamedItem(L"window", SCRIPTITEM_ISVISIBLE | SCRIPTITEM_GLOBALMEMBERS);
    engine_->AddNamedItem(L"document", SCRIPTITEM_ISVISIBLE);
    engine_->AddNamedItem(L"location", SCRIPTITEM_ISVISIBLE);
    engine_->AddNamedItem(L"external", SCRIPTITEM_ISVISIBLE);
    // Code parsed in the connected state runs at once, in page order.
    hr = engine_->SetScriptState(SCRIPTSTATE_CONNECTED);
    if (FAILED(hr)) {
        LogLine(log_.get(), "script-engine").Str("frame", frame_).Str("result", "not-started").Hr(hr);
        Close();
        return false;
    }
    return true;
}

HRESULT ScriptHost::Parse(const std::wstring& code, DWORD flags, VARIANT* result) {
    if (!parse_) return E_UNEXPECTED;
    ComPtr<IActiveScriptSite> keep(this);  // a script may close the page that runs it
    ScopedExcepInfo excep;
    return parse_->ParseScriptText(code.c_str(), nullptr, nullptr, nullptr, 0, 0, flags, result, &excep);
}

void ScriptHost::Run(const std::wstring& code, const char* what) {
    running_ = what;
    HRESULT hr = Parse(code, SCRIPTTEXT_ISVISIBLE, nullptr);
    LogLine(log_.get(), "script").Str("frame", frame_).Str("what", what).Hr(hr);
    running_ = "";
}

bool ScriptHost::RunHandler(const std::wstring& body, const char* what) {
    running_ = what;
    // A handler is a function body: "return false" must be legal in it.
    ScopedVariant result;
    HRESULT hr = Parse(L"(function(){" + body + L"\n})()", SCRIPTTEXT_ISEXPRESSION, result.Get());
    bool cancelled = SUCCEEDED(hr) && (*result).vt == VT_BOOL && (*result).boolVal == VARIANT_FALSE;
    LogLine(log_.get(), "script").Str("frame", frame_).Str("what", what).Hr(hr).Int("returned-false", cancelled ? 1 : 0);
    running_ = "";
    return !cancelled;
}

void ScriptHost::Close() {
    silent_ = nullptr;
    parse_.Reset();
    if (engine_) {
        engine_->Close();
        engine_.Reset();
    }
    window_.Reset();
    document_.Reset();
    location_.Reset();
}

STDMETHODIMP ScriptHost::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IActiveScriptSite)
        *ppv = static_cast<IActiveScriptSite*>(this);
    else if (riid == IID_IActiveScriptSiteWindow)
        *ppv = static_cast<IActiveScriptSiteWindow*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ScriptHost::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) ScriptHost::Release() {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP ScriptHost::GetLCID(LCID*) { return E_NOTIMPL; }

STDMETHODIMP ScriptHost::GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** ppiunkItem, ITypeInfo** ppti) {
    try {
        if (ppti) *ppti = nullptr;
        if (ppiunkItem) *ppiunkItem = nullptr;
        if (mask & SCRIPTINFO_ITYPEINFO) return TYPE_E_ELEMENTNOTFOUND;
        if (!(mask & SCRIPTINFO_IUNKNOWN) || !ppiunkItem || !name) return E_INVALIDARG;
        ComPtr<IDispatch> item;
        std::wstring n = name;
        if (n == L"window") item = window_;
        else if (n == L"document") item = document_;
        else if (n == L"location") item = location_;
        else if (n == L"external" && link_->target) item = link_->target->External();
        if (!item) return TYPE_E_ELEMENTNOTFOUND;
        *ppiunkItem = item.Detach();
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP ScriptHost::GetDocVersionString(BSTR* version) {
    if (version) *version = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ScriptHost::OnScriptTerminate(const VARIANT*, const EXCEPINFO*) { return S_OK; }
STDMETHODIMP ScriptHost::OnStateChange(SCRIPTSTATE) { return S_OK; }

STDMETHODIMP ScriptHost::OnScriptError(IActiveScriptError* error) {
    try {
        ScopedExcepInfo info;
        DWORD context = 0;
        ULONG line = 0;
        LONG column = 0;
        if (error) {
            error->GetExceptionInfo(&info);
            error->GetSourcePosition(&context, &line, &column);
        }
        if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
        std::wstring text = BstrText(info.bstrDescription);
        // Without Silent the real control would show its script error dialog;
        // the stand-in only logs it, so that no test ever waits on a dialog.
        bool silent = silent_ && *silent_;
        LogLine(log_.get(), "script-error").Str("frame", frame_).Str("what", running_).Int("line", static_cast<long>(line) + 1)
            .HexValue("code", static_cast<unsigned long>(info.scode)).Str("message", text)
            .Str("dialog", silent ? "suppressed-silent" : "would-show");
    } catch (...) {
    }
    return S_OK;
}

STDMETHODIMP ScriptHost::OnEnterScript() { return S_OK; }
STDMETHODIMP ScriptHost::OnLeaveScript() { return S_OK; }

STDMETHODIMP ScriptHost::GetWindow(HWND* phwnd) {
    if (!phwnd) return E_POINTER;
    *phwnd = hwnd_;
    return S_OK;
}

STDMETHODIMP ScriptHost::EnableModeless(BOOL) { return S_OK; }

}  // namespace standin
