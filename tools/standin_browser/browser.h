// The stand-in WebBrowser control: one COM object that offers the interfaces
// a container uses (OLE embedding, in-place activation, persistence, view,
// control, events, automation). The implementation is split by concern:
// browser.cpp (identity, automation), browser_ole.cpp (embedding and
// activation), browser_persist.cpp (persistence, view), host_ui.cpp (asking the
// host's IDocHostUIHandler), navigation.cpp, view.cpp (the window), paint.cpp.
#pragma once
#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleidl.h>

#include <deque>
#include <map>
#include <memory>
#include <string>

#include "com_util.h"
#include "connection_point.h"
#include "frame.h"
#include "loader.h"
#include "log.h"

namespace standin {

class PaintResources;

// Posted to the control's own window: the next waiting navigation runs.
constexpr UINT kPumpMessage = WM_APP + 0x5A;

// {8856F961-340A-11D0-A96B-00C04FD705A2}, the WebBrowser control's class.
extern const CLSID kClsidWebBrowser;

class Browser : public IOleObject,
                public IOleInPlaceObject,
                public IOleInPlaceActiveObject,
                public IPersistStreamInit,
                public IViewObject2,
                public IOleControl,
                public IProvideClassInfo2,
                public IConnectionPointContainer,
                public IDispatch {
public:
    static HRESULT Create(REFIID riid, void** ppv);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* pClientSite) override;
    STDMETHODIMP GetClientSite(IOleClientSite** ppClientSite) override;
    STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR obj) override;
    STDMETHODIMP Close(DWORD dwSaveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject** ppDataObject) override;
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite, LONG lindex, HWND hwndParent,
                        LPCRECT lprcPosRect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) override;
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override;
    STDMETHODIMP GetUserType(DWORD, LPOLESTR* pszUserType) override;
    STDMETHODIMP SetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    STDMETHODIMP GetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    STDMETHODIMP Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    STDMETHODIMP Unadvise(DWORD dwConnection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** ppenumAdvise) override;
    STDMETHODIMP GetMiscStatus(DWORD dwAspect, DWORD* pdwStatus) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, shared by both in-place interfaces
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IOleInPlaceObject
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG lpmsg) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* pClassID) override;
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM pStm) override;
    STDMETHODIMP Save(LPSTREAM pStm, BOOL fClearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* pCbSize) override;
    STDMETHODIMP InitNew() override;

    // IViewObject2
    STDMETHODIMP Draw(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd, HDC hdcTargetDev,
                      HDC hdcDraw, LPCRECTL lprcBounds, LPCRECTL lprcWBounds, BOOL(STDMETHODCALLTYPE* pfnContinue)(ULONG_PTR),
                      ULONG_PTR dwContinue) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** ppColorSet) override;
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD* pdwFreeze) override;
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* pAdvSink) override;
    STDMETHODIMP GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink) override;
    STDMETHODIMP GetExtent(DWORD dwDrawAspect, LONG lindex, DVTARGETDEVICE* ptd, LPSIZEL lpsizel) override;

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* pCI) override;
    STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID dispID) override;
    STDMETHODIMP FreezeEvents(BOOL bFreeze) override;

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** ppTI) override;
    STDMETHODIMP GetGUID(DWORD dwGuidKind, GUID* pGUID) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;

    // IDispatch: the dispatch ids of IWebBrowser2 that containers use
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // For the frames and the window.
    Log* log() const { return log_.get(); }
    std::shared_ptr<Log> shared_log() const { return log_; }
    IDispatch* TopDisp() { return static_cast<IDispatch*>(this); }
    HWND window() const { return hwnd_; }
    bool* silent_flag() { return &silent_; }
    int NewFrameId() { return nextFrameId_++; }
    void RequestNavigation(Frame& frame, const std::wstring& url, bool reload, const char* origin);
    void TitleChanged(Frame& frame);
    ComPtr<IDispatch> AcquireExternal(const std::string& frame);
    long SetPageTimer(Frame& frame, const ComPtr<IDispatch>& function, const std::wstring& code, long ms);
    void ClearPageTimer(long id);
    // The frame's script engine, started when the page has none yet; null without JScript.
    ScriptHost* EnsureScript(Frame& frame);
    void ReleaseExternal(ComPtr<IDispatch>* external, const std::string& frame);

    // The window (view.cpp).
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    Browser();
    virtual ~Browser();

    // browser_ole.cpp
    HRESULT ActivateInPlace(const char* verb);
    HRESULT ActivateUI();
    void ReadAmbientProperties(DISPID which);
    // host_ui.cpp
    void AskHostInfo(const char* when);
    bool AskContextMenu(POINT screen, DWORD id);
    HRESULT AskTranslateAccelerator(MSG* msg, const char* from);
    // navigation.cpp
    void SchedulePump();
    void Pump();
    void Process(Frame& frame, const std::wstring& url, bool reload);
    void StopAll(const char* why);
    void Relayout();
    void LogLayout(const Frame& frame);
    void LogLayoutAll();
    void Click(POINT client, bool right);
    void OnPageTimer(UINT_PTR id);
    Frame* FrameAt(POINT page, Frame& in);
    void LayOutFrame(Frame& frame);
    void PlaceInputs(Frame& frame);
    // view.cpp
    bool CreateViewWindow();
    void DestroyViewWindow();
    void ApplyHostStyles();
    void UpdateScrollBar();
    bool OwnAccelerator(const MSG& msg);
    void ShowOwnContextMenu(POINT screen);
    void Scroll(int to);
    // paint.cpp
    void PaintTo(HDC dc, const RECT& area);

    // A page's setTimeout: it runs only while the page that set it is still shown.
    struct PageTimer {
        int frame;
        unsigned generation;
        ComPtr<IDispatch> function;
        std::wstring code;
    };

    struct NavRequest {
        int frame;
        std::wstring url;
        bool reload;
    };

    LONG refs_ = 1;
    int instance_;
    std::shared_ptr<Log> log_;
    ComPtr<IOleClientSite> site_;
    ComPtr<IOleInPlaceSite> inPlaceSite_;
    ComPtr<IDocHostUIHandler> uiHandler_;
    ComPtr<IOleInPlaceFrame> inPlaceFrame_;
    ComPtr<IOleInPlaceUIWindow> uiWindow_;
    ComPtr<IOleAdviseHolder> adviseHolder_;
    ComPtr<IAdviseSink> viewSink_;
    EventConnectionPoint events_;
    std::unique_ptr<Frame> top_;
    std::unique_ptr<PaintResources> paint_;
    PageLoader loader_;
    std::deque<NavRequest> queue_;
    std::map<UINT_PTR, PageTimer> timers_;
    UINT_PTR nextTimer_ = 1;
    HWND hwnd_ = nullptr;
    HWND parent_ = nullptr;
    RECT pos_ = {0, 0, 300, 150};
    SIZEL extent_ = {7938, 3969};  // 300 x 150 pixels in HIMETRIC at 96 dpi
    DWORD hostFlags_ = 0;
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool silent_ = false;
    bool closed_ = false;
    bool pumpPosted_ = false;
    int busy_ = 0;          // > 0 while events or scripts run: navigations wait
    bool discardPending_ = false;  // Close came while busy: the pages go when it ends
    int nextFrameId_ = 1;
    int scrollY_ = 0;
    MSG lastAsked_ = {};    // the key message the host was last asked about

    friend class BusyScope;
};

// Marks the control busy while it raises events or runs scripts; when the
// outermost scope ends, waiting navigations are scheduled.
class BusyScope {
public:
    explicit BusyScope(Browser& b);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Browser& b_;
};

}  // namespace standin
