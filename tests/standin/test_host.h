// A small raw Win32/OLE container for the stand-in control: a top-level
// window as the site's window, a client site with IDocHostUIHandler and an
// in-place frame, an event sink and an external object that record what the
// control does to them. Their reference counts are real but they are owned
// by the test, so a test can check that the control gave every reference back.
#pragma once
#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <ocidl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "com_util.h"
#include "standin_log.h"

namespace standin_test {

using standin::ComPtr;

struct EventRecord {
    DISPID id = 0;
    std::wstring url;
    IDispatch* disp = nullptr;  // compared only, never called
    std::string shape;          // the vt of every argument, rgvarg order, e.g. "400b 400c 400c ..."
};

// The IDispatch plumbing of the host's own objects: they live in the host,
// so references are only counted; IUnknown, IDispatch and one more interface.
class HostDispatch : public IDispatch {
public:
    explicit HostDispatch(REFIID also = IID_IDispatch) : m_also(also) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

    LONG refs = 0;

private:
    const IID m_also;
};

// The object pages see as window.external. "record" keeps its arguments,
// "answer" returns a text.
class External : public HostDispatch {
public:
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result, EXCEPINFO*, UINT*) override;

    std::vector<std::wstring> calls;  // "record(a,b)"
};

class EventSink : public HostDispatch {
public:
    EventSink() : HostDispatch(DIID_DWebBrowserEvents2) {}
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result, EXCEPINFO*, UINT*) override;

    std::vector<EventRecord> Of(DISPID id) const;

    std::vector<EventRecord> events;
    std::wstring cancelContaining;  // BeforeNavigate2 of a URL holding this is cancelled
    std::function<void(const EventRecord&)> onEvent;
};

class Site : public IOleClientSite,
             public IOleInPlaceSite,
             public IOleInPlaceFrame,
             public IDocHostUIHandler,
             public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** m) override { *m = nullptr; return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** c) override { *c = nullptr; return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleWindow (site and frame)
    STDMETHODIMP GetWindow(HWND* h) override { *h = hwnd; return S_OK; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return Count("CanInPlaceActivate"), canActivate; }
    STDMETHODIMP OnInPlaceActivate() override { return Count("OnInPlaceActivate"), S_OK; }
    STDMETHODIMP OnUIActivate() override { return Count("OnUIActivate"), S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return Count("OnUIDeactivate"), S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return Count("OnInPlaceDeactivate"), S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
    // IOleInPlaceUIWindow / IOleInPlaceFrame
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* obj, LPCOLESTR) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override {
        return Count("ShowContextMenu"), contextMenuAnswer;
    }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override { return Count("ShowUI"), S_OK; }
    STDMETHODIMP HideUI() override { return Count("HideUI"), S_OK; }
    STDMETHODIMP UpdateUI() override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG msg, const GUID*, DWORD) override;
    STDMETHODIMP GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget**) override { return E_NOTIMPL; }
    STDMETHODIMP GetExternal(IDispatch** disp) override;
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject**) override { return E_NOTIMPL; }
    // IDispatch: ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* p, VARIANT* result, EXCEPINFO*, UINT*) override;

    HRESULT Count(const char* what) { ++calls[what]; return S_OK; }

    LONG refs = 0;
    HWND hwnd = nullptr;
    RECT pos = {10, 10, 610, 410};
    HRESULT canActivate = S_OK;
    HRESULT contextMenuAnswer = S_OK;
    HRESULT translateAnswer = S_FALSE;
    DWORD hostFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    bool offerUiHandler = true;
    External* external = nullptr;  // what GetExternal hands out; null: none
    std::map<std::string, int> calls;
    std::vector<UINT> keysAsked;  // messages TranslateAccelerator was asked about
};

// One control in one test: created through the WebBrowser class id, with its
// log in a file of the test's own.
class Host {
public:
    explicit Host(const std::string& logPath);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    HRESULT Create();
    HRESULT Attach();
    HRESULT Activate(LONG verb = OLEIVERB_INPLACEACTIVATE);
    HRESULT Advise(EventSink* sink, DWORD* cookie);
    // As the program's wrapper calls it: a BSTR and four by-reference VARIANT pointers, all null.
    HRESULT Navigate(const std::wstring& url);
    HRESULT Call(DISPID id, WORD flags, std::vector<VARIANT*> args = {}, VARIANT* result = nullptr);
    // Creates, attaches, advises the host's sink and activates.
    bool Start();
    // Deactivate in place, unadvise, detach the site, close, release.
    void Teardown();

    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000);
    void Pump(int ms);
    // Handles every message posted to this thread before the call (the
    // thread's queue is first in, first out): what the control queued for
    // itself until now has been done when it returns true.
    bool PumpPosted();
    bool WaitForEvent(DISPID id, const std::wstring& urlPart, int timeoutMs = 20000);
    HWND ControlWindow();
    // The centre of the last laid-out link or button whose text is given, in the control's client coordinates.
    bool FindBox(const std::string& text, POINT* centre, std::string frame = "");
    void ClickAt(POINT client, bool right = false);

    Site site;
    EventSink sink;
    External external;
    ComPtr<IOleObject> control;
    StandinLog log;
    DWORD cookie = 0;
    HWND window = nullptr;
};

}  // namespace standin_test
