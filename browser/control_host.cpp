#include "browser/control_host.h"

namespace {

// The answers the browser gets for how it shows a page.
constexpr DWORD kHostFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;

}  // namespace

CCustomControlSite::CCustomControlSite(COleControlContainer* pCtrlCont, ExternalObjectSource external)
    : COleControlSite(pCtrlCont), m_external(external) {}

CCustomControlSite::~CCustomControlSite() = default;

void* CCustomControlSite::QueryExtraInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IDocHostUIHandler)) {
        return static_cast<IDocHostUIHandler*>(&m_xDocHostUIHandler);
    }
    return COleControlSite::QueryExtraInterface(iid);
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return S_OK;  // handled: no menu at all
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    if (!pInfo) {
        return E_POINTER;
    }
    // cbSize and the host style sheets are the browser's; left as they are.
    pInfo->dwFlags = kHostFlags;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                                           IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
    return S_OK;  // the host shows the UI: that is, none
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::HideUI() {
    return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::UpdateUI() {
    return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::EnableModeless(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::OnDocWindowActivate(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::OnFrameWindowActivate(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
    return S_FALSE;  // every key goes on to the browser's own handling
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetOptionKeyPath(LPOLESTR*, DWORD) {
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetDropTarget(IDropTarget*, IDropTarget**) {
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::GetExternal(IDispatch** ppDispatch) {
    if (!ppDispatch) {
        return E_POINTER;
    }
    IDispatch* object = m_site->m_external ? m_site->m_external() : nullptr;
    *ppDispatch = object;
    if (!object) {
        return E_NOTIMPL;  // no scripting object: the page sees no window.external
    }
    object->AddRef();
    return S_OK;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut) {
    if (ppchURLOut) {
        *ppchURLOut = nullptr;  // the address is used unchanged
    }
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::XDocHostUIHandler::FilterDataObject(IDataObject*, IDataObject** ppDORet) {
    if (ppDORet) {
        *ppDORet = nullptr;
    }
    return E_NOTIMPL;
}

CCustomOccManager::CCustomOccManager(ExternalObjectSource external) : m_external(external) {}

CCustomOccManager::~CCustomOccManager() = default;

COleControlSite* CCustomOccManager::CreateSite(COleControlContainer* pCtrlCont) {
    return new CCustomControlSite(pCtrlCont, m_external);
}
