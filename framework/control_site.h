// COleControlSite: the container side of one hosted ActiveX control.
//
// One object, one reference count: the site implements the client site, the
// in-place site, the in-place frame (the dialog acts as frame and UI window),
// the control site and the ambient properties (its own IDispatch). Every
// interface's IUnknown goes to ExternalQueryInterface/ExternalAddRef/
// ExternalRelease. A derived site offers more interfaces by overriding
// QueryExtraInterface; its nested interface objects forward their IUnknown
// methods to the External* functions of the site.
//
// The control's events arrive at a separate sink object (its own identity, so
// that the ambient IDispatch is never mistaken for the sink) whose reference
// count is the site's.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <cstdarg>
#include "owners/com_ptr.h"

class CWnd;
class COleControlContainer;

class COleControlSite : public IOleClientSite,
                        public IOleInPlaceSite,
                        public IOleInPlaceFrame,
                        public IOleControlSite,
                        public IDispatch {
public:
    explicit COleControlSite(COleControlContainer* pCtrlCont);
    virtual ~COleControlSite();
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    // The site's one identity and reference count.
    HRESULT ExternalQueryInterface(REFIID iid, void** ppv);
    ULONG ExternalAddRef();
    ULONG ExternalRelease();
    // A derived site's interfaces: the interface pointer (no reference added)
    // or null. Asked before the site's own interfaces.
    virtual void* QueryExtraInterface(REFIID iid);

    // Creates the control, gives it this site, initialises it, activates it in
    // place at rect (parent client pixels) and binds pWndCtrl to its window.
    HRESULT CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCTSTR pszWindowName, DWORD dwStyle,
                          const RECT& rect, UINT nID);
    // The order that releases a control cleanly; see the definition.
    void Teardown();

    // Moves/sizes the control window and tells the control (SetObjectRects).
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    // InvokeHelper on the control's IDispatch; nothing if it has none.
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                       const BYTE* pbParamInfo, va_list argList);
    IDispatch* GetControlDispatch();   // no reference added; may be null

    // Offered the message loop's key messages for the control's window.
    BOOL PreTranslateKey(MSG* pMsg);
    // Binds a window object to the control's window (data exchange).
    void AttachWindow(CWnd* pWndCtrl);

    COleControlContainer* m_pCtrlCont;
    CWnd* m_pWndCtrl = nullptr;     // the window object bound to the control
    HWND m_hWnd = nullptr;          // the control's window
    UINT m_nID = 0;
    RECT m_rect{};                  // in the container window's client pixels
    ComPtr<IOleObject> m_pObject;
    bool m_bInPlaceActive = false;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL) override;
    STDMETHODIMP RequestNewObjectLayout() override;
    // IOleWindow (in-place site and frame alike: the container window)
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;
    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                  LPRECT lprcPosRect, LPRECT lprcClipRect,
                                  LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP Scroll(SIZE) override;
    STDMETHODIMP OnUIDeactivate(BOOL) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT lprcPosRect) override;
    // IOleInPlaceUIWindow / IOleInPlaceFrame
    STDMETHODIMP GetBorder(LPRECT) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override;
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override;
    STDMETHODIMP RemoveMenus(HMENU) override;
    STDMETHODIMP SetStatusText(LPCOLESTR) override;
    STDMETHODIMP EnableModeless(BOOL) override;
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override;
    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL) override;
    STDMETHODIMP GetExtendedControl(IDispatch** ppDisp) override;
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override;
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override;
    STDMETHODIMP OnFocus(BOOL) override;
    STDMETHODIMP ShowPropertyFrame() override;
    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pVarResult,
                        EXCEPINFO*, UINT*) override;

    // The ambient property values; false for a dispid the site does not answer.
    virtual bool GetAmbientProperty(DISPID dispid, VARIANT* pvar);

private:
    // The event sink: routes the control's events to the container window's
    // event-sink table by this site's control id.
    class EventSink : public IDispatch {
    public:
        explicit EventSink(COleControlSite* site) : m_site(site) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;
        STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
        STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                            EXCEPINFO*, UINT*) override;
        IID m_iid = IID_NULL;   // the control's event interface
    private:
        COleControlSite* m_site;
    };

    void AdviseEventSink();

    LONG m_dwRef = 1;   // the container's reference
    EventSink m_xEventSink{this};
    ComPtr<IOleInPlaceObject> m_pInPlaceObject;
    ComPtr<IDispatch> m_pDispatch;
    ComPtr<IConnectionPoint> m_pEventPoint;
    DWORD m_dwEventCookie = 0;
};

// A nested interface object of a site: its IUnknown is the site's, so that a
// derived site's extra interfaces share the site's identity and count.
//   class XDocHostUIHandler : public CSiteInterface<IDocHostUIHandler> { ... };
template <class Interface>
class CSiteInterface : public Interface {
public:
    explicit CSiteInterface(COleControlSite* pSite) : m_pSite(pSite) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override { return m_pSite->ExternalQueryInterface(iid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pSite->ExternalAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pSite->ExternalRelease(); }

protected:
    COleControlSite* m_pSite;
};
