// ActiveX control containment.
//
// AfxEnableControlContainer installs the manager (and initialises OLE on the
// calling thread, the UI thread). Each dialog that hosts controls gets a
// COleControlContainer; the manager creates a site per control through
// CreateSite, which a program overrides to use its own site class.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <memory>
#include <vector>
#include "owners/com_ptr.h"

class CWnd;
class COleControlSite;
class COleControlContainer;

class COccManager {
public:
    COccManager() = default;
    virtual ~COccManager() = default;
    COccManager(const COccManager&) = delete;
    COccManager& operator=(const COccManager&) = delete;

    // A new site for a control of pCtrlCont; the container owns it.
    virtual COleControlSite* CreateSite(COleControlContainer* pCtrlCont);
};

// Installs the manager (null: a plain COccManager). Without this call a dialog
// whose template holds an ActiveX control fails to be created.
void AfxEnableControlContainer(COccManager* pOccManager = nullptr);
COccManager* AfxGetOccManager();

// The hosted controls of one window.
class COleControlContainer {
public:
    explicit COleControlContainer(CWnd* pWnd);
    ~COleControlContainer();
    COleControlContainer(const COleControlContainer&) = delete;
    COleControlContainer& operator=(const COleControlContainer&) = delete;

    // Creates, activates and shows (per WS_VISIBLE) a control; null on failure.
    COleControlSite* CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCTSTR pszWindowName,
                                   DWORD dwStyle, const RECT& rect, UINT nID);
    COleControlSite* FindItem(UINT nID) const;
    // The site whose control window is hWnd or holds it.
    COleControlSite* SiteOfWindow(HWND hWnd) const;
    // Tears every control down (see COleControlSite::Teardown) and drops the sites.
    void DestroyControls();

    // A key message for a hosted control: offered to the in-place active
    // object's TranslateAccelerator. TRUE if it took it.
    BOOL PreTranslateKey(MSG* pMsg);

    CWnd* m_pWnd;
    // Set by the active control through IOleInPlaceUIWindow::SetActiveObject.
    ComPtr<IOleInPlaceActiveObject> m_pActiveObject;

private:
    std::vector<COleControlSite*> m_sites;   // each holds one reference
};
