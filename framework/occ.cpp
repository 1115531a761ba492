// The control-container manager and the per-window container of sites.
#include "occ.h"
#include "control_site.h"
#include "framework_internal.h"
#include "wnd.h"

namespace {

COccManager* g_occManager = nullptr;
bool g_oleInitialized = false;

}  // namespace

COleControlSite* COccManager::CreateSite(COleControlContainer* pCtrlCont) {
    return new COleControlSite(pCtrlCont);
}

void AfxEnableControlContainer(COccManager* pOccManager) {
    static COccManager plainManager;
    g_occManager = pOccManager ? pOccManager : &plainManager;
    // Once, on the UI thread, before any control exists; undone after ExitInstance.
    if (!g_oleInitialized) g_oleInitialized = SUCCEEDED(OleInitialize(nullptr));
}

COccManager* AfxGetOccManager() { return g_occManager; }

void AfxOleTerm() {
    if (g_oleInitialized) OleUninitialize();
    g_oleInitialized = false;
}

COleControlContainer::COleControlContainer(CWnd* pWnd) : m_pWnd(pWnd) {}

COleControlContainer::~COleControlContainer() { DestroyControls(); }

COleControlSite* COleControlContainer::CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCTSTR pszWindowName,
                                                     DWORD dwStyle, const RECT& rect, UINT nID) {
    COccManager* manager = AfxGetOccManager();
    COleControlSite* site = manager ? manager->CreateSite(this) : nullptr;
    if (!site) return nullptr;
    m_sites.push_back(site);
    if (FAILED(site->CreateControl(pWndCtrl, clsid, pszWindowName, dwStyle, rect, nID))) {
        m_sites.pop_back();
        site->Teardown();
        site->ExternalRelease();
        return nullptr;
    }
    return site;
}

COleControlSite* COleControlContainer::FindItem(UINT nID) const {
    for (COleControlSite* site : m_sites)
        if (site->m_nID == nID) return site;
    return nullptr;
}

COleControlSite* COleControlContainer::SiteOfWindow(HWND hWnd) const {
    for (COleControlSite* site : m_sites)
        if (site->m_hWnd && (site->m_hWnd == hWnd || IsChild(site->m_hWnd, hWnd))) return site;
    return nullptr;
}

void COleControlContainer::DestroyControls() {
    m_pActiveObject.Reset();
    std::vector<COleControlSite*> sites;
    sites.swap(m_sites);
    for (COleControlSite* site : sites) {
        site->Teardown();
        // The container's reference; a control that kept one keeps the site alive.
        site->ExternalRelease();
    }
}

BOOL COleControlContainer::PreTranslateKey(MSG* pMsg) {
    COleControlSite* site = SiteOfWindow(pMsg->hwnd);
    if (!site) return FALSE;
    if (m_pActiveObject) return m_pActiveObject->TranslateAccelerator(pMsg) == S_OK;
    return site->PreTranslateKey(pMsg);
}
