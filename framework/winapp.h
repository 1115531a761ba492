// CWinApp: the one application object. The layer's WinMain finds it, calls
// InitInstance, then ExitInstance, and ends the process with its result. The
// program runs its main window as a modal dialog inside InitInstance and
// returns FALSE: there is no application message loop.
#pragma once
#include <windows.h>
#include <string>
#include "cstring.h"

class CWnd;

// Restart-manager support flags (RegisterApplicationRestart at InitInstance).
constexpr DWORD AFX_RESTART_MANAGER_SUPPORT_RESTART = 0x01;

class CWinApp {
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The base registers with the restart manager per m_dwRestartManagerSupportFlags.
    virtual BOOL InitInstance();
    // The base returns 0.
    virtual int ExitInstance();

    HICON LoadIcon(UINT nIDResource) const;

    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;   // the command line after the program name
    LPCTSTR m_pszAppName = nullptr; // the constructor's name, else the module's base name
    CWnd* m_pMainWnd = nullptr;
    DWORD m_dwRestartManagerSupportFlags = 0;

private:
    std::string m_strCmdLine;
    CString m_strAppName;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// The body of the layer's WinMain: the whole life of the application object.
int AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine, int nCmdShow);

// The arguments of a full command line: the text after the program name
// (quoted or not) and the blanks that follow it; the rest is kept as it is.
const char* CommandLineArguments(const char* commandLine);
