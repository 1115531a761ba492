// A hosted control's life: creation and in-place activation, placement,
// automation calls, event sink, and teardown.
#include "control_site.h"
#include <exdisp.h>
#include "dispatch_call.h"
#include "owners/gdi_owners.h"
#include "occ.h"
#include "wnd.h"

namespace {

// {34A715A0-6587-11D0-924A-0020AFC7AC4D}: the WebBrowser's event interface,
// for controls that do not name their default source.
const IID kDWebBrowserEvents2 = {0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

// The extent controls take in HIMETRIC (0.01 mm) units.
SIZEL PixelsToHimetric(HWND hWnd, int cx, int cy) {
    ScopedWindowDC window(hWnd);
    const int dpiX = window.get() ? GetDeviceCaps(window.get(), LOGPIXELSX) : 96;
    const int dpiY = window.get() ? GetDeviceCaps(window.get(), LOGPIXELSY) : 96;
    return SIZEL{MulDiv(cx, 2540, dpiX), MulDiv(cy, 2540, dpiY)};
}

}  // namespace

COleControlSite::COleControlSite(COleControlContainer* pCtrlCont) : m_pCtrlCont(pCtrlCont) {}

COleControlSite::~COleControlSite() = default;

ULONG COleControlSite::ExternalAddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_dwRef)); }

ULONG COleControlSite::ExternalRelease() {
    LONG count = InterlockedDecrement(&m_dwRef);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

void* COleControlSite::QueryExtraInterface(REFIID) { return nullptr; }

HRESULT COleControlSite::ExternalQueryInterface(REFIID iid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = QueryExtraInterface(iid);
    if (!*ppv) {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) *ppv = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *ppv = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
            *ppv = static_cast<IOleInPlaceFrame*>(this);
        else if (iid == IID_IOleControlSite) *ppv = static_cast<IOleControlSite*>(this);
        else if (iid == IID_IDispatch) *ppv = static_cast<IDispatch*>(this);
    }
    if (!*ppv) return E_NOINTERFACE;
    ExternalAddRef();
    return S_OK;
}

HRESULT COleControlSite::CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCTSTR, DWORD dwStyle,
                                       const RECT& rect, UINT nID) {
    if (!m_pCtrlCont || !m_pCtrlCont->m_pWnd) return E_UNEXPECTED;
    HWND container = m_pCtrlCont->m_pWnd->m_hWnd;
    m_nID = nID;
    m_rect = rect;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, m_pObject.OutVoid());
    if (FAILED(hr)) return hr;

    DWORD misc = 0;
    m_pObject->GetMiscStatus(DVASPECT_CONTENT, &misc);
    // Some controls read ambient properties while they initialise; those ask
    // for the site first (the WebBrowser does).
    const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (siteFirst) m_pObject->SetClientSite(this);
    ComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(persist.QueryFrom(m_pObject.Get(), IID_IPersistStreamInit))) persist->InitNew();
    if (!siteFirst) m_pObject->SetClientSite(this);
    m_pObject->SetHostNames(L"Container", nullptr);

    AdviseEventSink();
    SIZEL extent = PixelsToHimetric(container, rect.right - rect.left, rect.bottom - rect.top);
    m_pObject->SetExtent(DVASPECT_CONTENT, &extent);
    hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, container, &m_rect);
    if (FAILED(hr)) return hr;
    if (SUCCEEDED(m_pInPlaceObject.QueryFrom(m_pObject.Get(), IID_IOleInPlaceObject)))
        m_pInPlaceObject->GetWindow(&m_hWnd);
    if (!m_hWnd) return E_FAIL;   // windowless controls are not hosted
    SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    if (dwStyle & WS_VISIBLE) m_pObject->DoVerb(OLEIVERB_SHOW, nullptr, this, 0, container, &m_rect);
    else ::ShowWindow(m_hWnd, SW_HIDE);
    if (pWndCtrl) AttachWindow(pWndCtrl);
    return S_OK;
}

void COleControlSite::AdviseEventSink() {
    CWnd* pWnd = m_pCtrlCont ? m_pCtrlCont->m_pWnd : nullptr;
    const EventSinkMap* map = pWnd ? pWnd->GetEventSinkMap() : nullptr;
    if (!map || !map->HasControl(m_nID)) return;
    IID events = kDWebBrowserEvents2;
    ComPtr<IProvideClassInfo2> info;
    GUID source{};
    if (SUCCEEDED(info.QueryFrom(m_pObject.Get(), IID_IProvideClassInfo2)) &&
        SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source)))
        events = source;
    ComPtr<IConnectionPointContainer> points;
    if (FAILED(points.QueryFrom(m_pObject.Get(), IID_IConnectionPointContainer))) return;
    if (FAILED(points->FindConnectionPoint(events, m_pEventPoint.Out()))) return;
    m_xEventSink.m_iid = events;
    if (FAILED(m_pEventPoint->Advise(&m_xEventSink, &m_dwEventCookie))) m_pEventPoint.Reset();
}

void COleControlSite::AttachWindow(CWnd* pWndCtrl) {
    if (!pWndCtrl || !m_hWnd || pWndCtrl->m_hWnd) return;
    // The control's window keeps its own procedure; the object is only mapped.
    pWndCtrl->Bind(m_hWnd);
    pWndCtrl->m_pCtrlSite = this;
    m_pWndCtrl = pWndCtrl;
}

void COleControlSite::Teardown() {
    if (m_pWndCtrl) {
        m_pWndCtrl->Unbind();
        m_pWndCtrl->m_pCtrlSite = nullptr;
        m_pWndCtrl = nullptr;
    }
    // The order that lets a control let go of everything: leave in-place
    // activation while its window and site still work, stop its events,
    // take the site away, then close it (no saving) and release it.
    if (m_pInPlaceObject) m_pInPlaceObject->InPlaceDeactivate();
    if (m_pEventPoint) {
        m_pEventPoint->Unadvise(m_dwEventCookie);
        m_pEventPoint.Reset();
        m_dwEventCookie = 0;
    }
    if (m_pObject) {
        m_pObject->SetClientSite(nullptr);
        m_pObject->Close(OLECLOSE_NOSAVE);
    }
    m_pDispatch.Reset();
    m_pInPlaceObject.Reset();
    m_pObject.Reset();
    m_hWnd = nullptr;
    m_bInPlaceActive = false;
    // A control that still holds the site must not reach the container.
    m_pCtrlCont = nullptr;
}

BOOL COleControlSite::SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    if (!m_hWnd) return FALSE;
    // The current place, in the container's client coordinates.
    RECT rc{};
    ::GetWindowRect(m_hWnd, &rc);
    MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rc), 2);
    if (!(nFlags & SWP_NOMOVE)) OffsetRect(&rc, x - rc.left, y - rc.top);
    if (!(nFlags & SWP_NOSIZE)) {
        rc.right = rc.left + cx;
        rc.bottom = rc.top + cy;
    }
    m_rect = rc;
    if (m_pInPlaceObject) m_pInPlaceObject->SetObjectRects(&m_rect, &m_rect);
    // Z-order and showing, and the rectangle for controls that ignored it.
    return ::SetWindowPos(m_hWnd, hWndInsertAfter, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                          nFlags & ~(SWP_NOMOVE | SWP_NOSIZE));
}

IDispatch* COleControlSite::GetControlDispatch() {
    if (!m_pDispatch && m_pObject) m_pDispatch.QueryFrom(m_pObject.Get(), IID_IDispatch);
    return m_pDispatch.Get();
}

void COleControlSite::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                    const BYTE* pbParamInfo, va_list argList) {
    IDispatch* dispatch = GetControlDispatch();
    if (!dispatch) return;
    ComPtr<IDispatch> hold(dispatch);   // the call may end the control's site
    AfxInvokeDispatch(dispatch, dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
}

BOOL COleControlSite::PreTranslateKey(MSG* pMsg) {
    ComPtr<IOleInPlaceActiveObject> active;
    if (FAILED(active.QueryFrom(m_pObject.Get(), IID_IOleInPlaceActiveObject))) return FALSE;
    return active->TranslateAccelerator(pMsg) == S_OK;
}
