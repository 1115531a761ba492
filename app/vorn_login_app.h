// CVorn_LoginApp: the one application object. Start-up prepares the platform
// and the launcher background, then runs the main window as a modal dialog;
// the program's whole life is that one run.
#pragma once

#include "framework.h"
#include "skin/gdiplus_fwd.h"

#include <memory>

class CVorn_LoginDlg;

class CVorn_LoginApp : public CWinApp {
public:
    CVorn_LoginApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The launcher saw the game's address: hide it and turn the main window
    // into the game window.
    void EnterGame(CString url);
    // A value of section "platform" of WebCfg.ini, or the empty text.
    CString GetPlatformSetting(CString key);
    // Shows picture as window's whole, per-pixel-alpha appearance.
    void ShowLayeredImage(Gdiplus::Image* picture, UINT width, UINT height, CWnd* window);

    // The scripting object seen by pages as window.external; released once at
    // exit, never deleted.
    IDispatch* m_pDispOM = nullptr;
    std::unique_ptr<Gdiplus::Image> m_pBackImage;
    // Per-pixel alpha, no extra fading.
    BLENDFUNCTION m_blend = {};
    UINT m_nBackWidth = 0;
    UINT m_nBackHeight = 0;
    CVorn_LoginDlg* m_pMainDlg = nullptr;
    // The launcher dialog (CWebDialog), created by the main window; never deleted.
    CDialogEx* m_pWebDlg = nullptr;

private:
    ULONG_PTR m_gdiplusToken = 0;
};

extern CVorn_LoginApp theApp;
