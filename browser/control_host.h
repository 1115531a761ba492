// The program's control container: every hosted browser gets a site that
// answers IDocHostUIHandler, so both pages show no context menu, no border,
// no scroll bars and no browser UI, leave keys to the browser, and see the
// scripting object as window.external.
#pragma once

#include "framework.h"

#include <mshtmhst.h>

// Where the sites find the object pages get as window.external. Read at every
// request, so a page always gets what the application holds at that moment.
using ExternalObjectSource = IDispatch* (*)();

class CCustomControlSite : public COleControlSite {
public:
    CCustomControlSite(COleControlContainer* pCtrlCont, ExternalObjectSource external);
    ~CCustomControlSite() override;

    void* QueryExtraInterface(REFIID iid) override;

    // The handler's IUnknown is the site's: one identity, one count.
    class XDocHostUIHandler : public CSiteInterface<IDocHostUIHandler> {
    public:
        explicit XDocHostUIHandler(CCustomControlSite* site) : CSiteInterface(site), m_site(site) {}

        STDMETHODIMP ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                     IDispatch* pdispReserved) override;
        STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* pInfo) override;
        STDMETHODIMP ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                            IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                            IOleInPlaceUIWindow* pDoc) override;
        STDMETHODIMP HideUI() override;
        STDMETHODIMP UpdateUI() override;
        STDMETHODIMP EnableModeless(BOOL fEnable) override;
        STDMETHODIMP OnDocWindowActivate(BOOL fActivate) override;
        STDMETHODIMP OnFrameWindowActivate(BOOL fActivate) override;
        STDMETHODIMP ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                  BOOL fRameWindow) override;
        STDMETHODIMP TranslateAccelerator(LPMSG lpMsg, const GUID* pguidCmdGroup,
                                          DWORD nCmdID) override;
        STDMETHODIMP GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) override;
        STDMETHODIMP GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
        STDMETHODIMP GetExternal(IDispatch** ppDispatch) override;
        STDMETHODIMP TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) override;
        STDMETHODIMP FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override;

    private:
        CCustomControlSite* m_site;
    };

    XDocHostUIHandler m_xDocHostUIHandler{this};

private:
    ExternalObjectSource m_external;
};

class CCustomOccManager : public COccManager {
public:
    explicit CCustomOccManager(ExternalObjectSource external);
    ~CCustomOccManager() override;

    COleControlSite* CreateSite(COleControlContainer* pCtrlCont) override;

private:
    ExternalObjectSource m_external;
};
