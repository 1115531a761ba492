// The site's COM interfaces: what a hosted control asks of its container.
// Every method is a boundary the control calls: nothing may throw out of it.
#include <olectl.h>
#include "control_site.h"
#include "event_sink.h"
#include "occ.h"
#include "ole_exception.h"
#include "wnd.h"

namespace {

// Ambient properties the WebBrowser asks for (mshtmdid.h).
constexpr DISPID kAmbientOfflineIfNotConnected = -5501;
constexpr DISPID kAmbientSilent = -5502;

void SetBool(VARIANT* v, bool value) {
    v->vt = VT_BOOL;
    v->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

// IUnknown: all interfaces of the site are one object.
STDMETHODIMP COleControlSite::QueryInterface(REFIID iid, void** ppv) {
    HRESULT hr = E_NOINTERFACE;
    if (!AfxCallGuarded([&] { hr = ExternalQueryInterface(iid, ppv); }) && ppv) *ppv = nullptr;
    return hr;
}
STDMETHODIMP_(ULONG) COleControlSite::AddRef() { return ExternalAddRef(); }
STDMETHODIMP_(ULONG) COleControlSite::Release() { return ExternalRelease(); }

// IOleClientSite
STDMETHODIMP COleControlSite::SaveObject() { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk) {
    if (ppmk) *ppmk = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::GetContainer(IOleContainer** ppContainer) {
    if (ppContainer) *ppContainer = nullptr;
    return E_NOINTERFACE;
}
STDMETHODIMP COleControlSite::ShowObject() { return S_OK; }
STDMETHODIMP COleControlSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleWindow
STDMETHODIMP COleControlSite::GetWindow(HWND* phwnd) {
    if (!phwnd) return E_POINTER;
    *phwnd = m_pCtrlCont && m_pCtrlCont->m_pWnd ? m_pCtrlCont->m_pWnd->m_hWnd : nullptr;
    return *phwnd ? S_OK : E_FAIL;
}
STDMETHODIMP COleControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// IOleInPlaceSite
STDMETHODIMP COleControlSite::CanInPlaceActivate() { return m_pCtrlCont ? S_OK : S_FALSE; }
STDMETHODIMP COleControlSite::OnInPlaceActivate() {
    m_bInPlaceActive = true;
    return S_OK;
}
STDMETHODIMP COleControlSite::OnUIActivate() { return S_OK; }
STDMETHODIMP COleControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo) {
    if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect) return E_POINTER;
    HWND container = nullptr;
    GetWindow(&container);
    // The container window is frame and document window at once.
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    ExternalAddRef();
    *ppDoc = nullptr;
    *lprcPosRect = m_rect;
    *lprcClipRect = m_rect;
    if (lpFrameInfo) {
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = container;
        lpFrameInfo->haccel = nullptr;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}
STDMETHODIMP COleControlSite::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::OnUIDeactivate(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::OnInPlaceDeactivate() {
    m_bInPlaceActive = false;
    return S_OK;
}
STDMETHODIMP COleControlSite::DiscardUndoState() { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::DeactivateAndUndo() { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::OnPosRectChange(LPCRECT lprcPosRect) {
    if (!lprcPosRect) return E_POINTER;
    m_rect = *lprcPosRect;
    if (m_pInPlaceObject) m_pInPlaceObject->SetObjectRects(&m_rect, &m_rect);
    return S_OK;
}

// IOleInPlaceUIWindow / IOleInPlaceFrame: no tool space, menus or status bar.
STDMETHODIMP COleControlSite::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP COleControlSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP COleControlSite::SetBorderSpace(LPCBORDERWIDTHS) { return S_OK; }
STDMETHODIMP COleControlSite::SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) {
    if (m_pCtrlCont) m_pCtrlCont->m_pActiveObject = ComPtr<IOleInPlaceActiveObject>(pActiveObject);
    return S_OK;
}
STDMETHODIMP COleControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return S_OK; }
STDMETHODIMP COleControlSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP COleControlSite::RemoveMenus(HMENU) { return S_OK; }
STDMETHODIMP COleControlSite::SetStatusText(LPCOLESTR) { return S_OK; }
STDMETHODIMP COleControlSite::EnableModeless(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// IOleControlSite
STDMETHODIMP COleControlSite::OnControlInfoChanged() { return S_OK; }
STDMETHODIMP COleControlSite::LockInPlaceActive(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::GetExtendedControl(IDispatch** ppDisp) {
    if (ppDisp) *ppDisp = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::TransformCoords(POINTL*, POINTF*, DWORD) { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }
STDMETHODIMP COleControlSite::OnFocus(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::ShowPropertyFrame() { return E_NOTIMPL; }

// IDispatch: ambient properties only (no names, no type information).
STDMETHODIMP COleControlSite::GetTypeInfoCount(UINT* pctinfo) {
    if (pctinfo) *pctinfo = 0;
    return S_OK;
}
STDMETHODIMP COleControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo) *ppTInfo = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}
STDMETHODIMP COleControlSite::Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS*,
                                     VARIANT* pVarResult, EXCEPINFO*, UINT*) {
    if (!(wFlags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (!pVarResult) return E_POINTER;
    VariantInit(pVarResult);
    bool known = false;
    AfxCallGuarded([&] { known = GetAmbientProperty(dispid, pVarResult); });
    return known ? S_OK : DISP_E_MEMBERNOTFOUND;
}

bool COleControlSite::GetAmbientProperty(DISPID dispid, VARIANT* pvar) {
    switch (dispid) {
    case DISPID_AMBIENT_USERMODE: SetBool(pvar, true); return true;   // running, not designing
    case DISPID_AMBIENT_UIDEAD: SetBool(pvar, false); return true;
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_MESSAGEREFLECT:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
    case DISPID_AMBIENT_SUPPORTSMNEMONICS: SetBool(pvar, false); return true;
    case DISPID_AMBIENT_AUTOCLIP: SetBool(pvar, true); return true;
    case DISPID_AMBIENT_LOCALEID:
        pvar->vt = VT_I4;
        pvar->lVal = static_cast<LONG>(GetUserDefaultLCID());
        return true;
    case kAmbientOfflineIfNotConnected:
    case kAmbientSilent: SetBool(pvar, false); return true;
    default: return false;
    }
}

// The event sink: its own identity, the site's reference count.
STDMETHODIMP COleControlSite::EventSink::QueryInterface(REFIID iid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == m_iid) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}
STDMETHODIMP_(ULONG) COleControlSite::EventSink::AddRef() { return m_site->ExternalAddRef(); }
STDMETHODIMP_(ULONG) COleControlSite::EventSink::Release() { return m_site->ExternalRelease(); }
STDMETHODIMP COleControlSite::EventSink::GetTypeInfoCount(UINT* pctinfo) {
    if (pctinfo) *pctinfo = 0;
    return S_OK;
}
STDMETHODIMP COleControlSite::EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo) *ppTInfo = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}
STDMETHODIMP COleControlSite::EventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                                                VARIANT*, EXCEPINFO*, UINT*) {
    // Events nobody listens to are fine: the control does not wait for an answer.
    HRESULT hr = S_OK;
    ComPtr<IDispatch> hold(this);   // a handler may tear the site down
    AfxCallGuarded([&] {
        CWnd* pWnd = m_site->m_pCtrlCont ? m_site->m_pCtrlCont->m_pWnd : nullptr;
        const EventSinkMap* map = pWnd ? pWnd->GetEventSinkMap() : nullptr;
        const EventSinkEntry* entry = map ? map->Find(m_site->m_nID, dispid) : nullptr;
        if (entry) hr = entry->thunk(pWnd, entry->handler, params);
    });
    return hr;
}
