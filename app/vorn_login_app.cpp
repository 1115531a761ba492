#include "app/vorn_login_app.h"

#include "app/vorn_login_dlg.h"
#include "browser/control_host.h"
#include "browser/scripting_object.h"
#include "browser/config_store.h"
#include "skin/layered_image.h"
#include "skin/resource_image.h"

#include "resource.h"

#include <commctrl.h>

CVorn_LoginApp theApp;

CVorn_LoginApp::CVorn_LoginApp() {
    // The system may restart the program; no auto-save or recovery.
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

BOOL CVorn_LoginApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    // Both live as long as the process: every browser's site asks the manager's
    // sites for window.external, and pages may keep the object to the end.
    static CCustomOccManager occManager([]() -> IDispatch* { return theApp.m_pDispOM; });
    static CImpIDispatch scriptingObject;
    m_pDispOM = &scriptingObject;

    CWinApp::InitInstance();
    AfxEnableControlContainer(&occManager);

    m_blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr);

    // A picture that cannot be decoded reads as 0 by 0: the windows are then
    // that size and the program runs without a visible launcher.
    m_pBackImage = LoadResourceImage(IDB_BACKGROUND, "PNG");
    m_nBackWidth = m_pBackImage->GetWidth();
    m_nBackHeight = m_pBackImage->GetHeight();

    {
        CVorn_LoginDlg dlg(nullptr);
        m_pMainWnd = &dlg;
        m_pMainDlg = &dlg;
        // However the main window ends, the program ends.
        dlg.DoModal();
        m_pMainDlg = nullptr;
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

int CVorn_LoginApp::ExitInstance() {
    m_pBackImage.reset();  // before GDI+ goes
    if (m_gdiplusToken) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    if (m_pDispOM) {
        m_pDispOM->Release();
        m_pDispOM = nullptr;
    }
    return CWinApp::ExitInstance();
}

void CVorn_LoginApp::EnterGame(CString url) {
    if (m_pWebDlg) {
        m_pWebDlg->ShowWindow(SW_HIDE);
    }
    if (m_pMainDlg) {
        m_pMainDlg->SwitchToGame(url);
    }
}

CString CVorn_LoginApp::GetPlatformSetting(CString key) {
    return CString(config::ReadPlatformSetting(key));
}

void CVorn_LoginApp::ShowLayeredImage(Gdiplus::Image* picture, UINT width, UINT height, CWnd* window) {
    if (picture && window && window->GetSafeHwnd()) {
        ::ShowLayeredImage(*picture, width, height, window->GetSafeHwnd(), m_blend);
    }
}
