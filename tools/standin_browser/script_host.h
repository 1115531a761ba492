// Runs a page's scripts with the platform's JScript engine. The page's
// objects are named items: "window" lends its members to the global scope, so
// external, location, document and alert work bare as well as window.x.
#pragma once
#include <activscp.h>

#include <memory>
#include <string>

#include "com_util.h"
#include "log.h"
#include "script_context.h"

namespace standin {

class ScriptHost : public IActiveScriptSite, public IActiveScriptSiteWindow {
public:
    // Null when the engine cannot be created (logged).
    static ComPtr<ScriptHost> Start(ContextLinkPtr link, HWND window, std::shared_ptr<Log> log,
                                    const std::string& frame, bool* silent);

    // An inline script block.
    void Run(const std::wstring& code, const char* what);
    // An event handler's body; false when it returned false (the default action is cancelled).
    bool RunHandler(const std::wstring& body, const char* what);
    // Closes the engine; its references to the page objects and external go with it.
    void Close();
    void SetWindow(HWND window) { hwnd_ = window; }
    const ComPtr<IDispatch>& window_object() const { return window_; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetLCID(LCID* plcid) override;
    STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** ppiunkItem, ITypeInfo** ppti) override;
    STDMETHODIMP GetDocVersionString(BSTR* version) override;
    STDMETHODIMP OnScriptTerminate(const VARIANT* result, const EXCEPINFO* excep) override;
    STDMETHODIMP OnStateChange(SCRIPTSTATE state) override;
    STDMETHODIMP OnScriptError(IActiveScriptError* error) override;
    STDMETHODIMP OnEnterScript() override;
    STDMETHODIMP OnLeaveScript() override;
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;

private:
    ScriptHost(ContextLinkPtr link, HWND window, std::shared_ptr<Log> log, const std::string& frame, bool* silent);
    virtual ~ScriptHost();
    bool Init();
    HRESULT Parse(const std::wstring& code, DWORD flags, VARIANT* result);

    LONG refs_ = 1;
    ContextLinkPtr link_;
    HWND hwnd_;
    std::shared_ptr<Log> log_;
    std::string frame_;
    bool* silent_;  // the control's Silent property; null once closed
    ComPtr<IActiveScript> engine_;
    ComPtr<IActiveScriptParse> parse_;
    ComPtr<IDispatch> window_, document_, location_;
    const char* running_ = "";
};

}  // namespace standin
