#include "winapp.h"
#include <shlwapi.h>
#include "framework_internal.h"
#include "ole_exception.h"

namespace {

CWinApp* g_app = nullptr;

// The program file's name without folder and extension. The shell's path
// functions know double-byte names, whose trail bytes may look like '\\'.
CString ModuleBaseName() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* name = PathFindFileNameA(path);
    PathRemoveExtensionA(name);
    return CString(name);
}

}  // namespace

const char* CommandLineArguments(const char* commandLine) {
    const char* p = commandLine ? commandLine : "";
    // The program name: up to the closing quote, or up to the first blank.
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    g_app = this;
    m_hInstance = GetModuleHandleA(nullptr);
    m_strCmdLine = CommandLineArguments(GetCommandLineA());
    m_lpCmdLine = m_strCmdLine.data();
    m_strAppName = lpszAppName ? CString(lpszAppName) : ModuleBaseName();
    m_pszAppName = m_strAppName;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    if (m_dwRestartManagerSupportFlags & AFX_RESTART_MANAGER_SUPPORT_RESTART) {
        // Vista and later; looked up so the program still starts where it is missing.
        using RegisterFn = HRESULT(WINAPI*)(PCWSTR, DWORD);
        auto registerRestart = reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "RegisterApplicationRestart")));
        // Restarted with no arguments: a restart is a fresh start.
        if (registerRestart) registerRestart(nullptr, 0);
    }
    return TRUE;
}

int CWinApp::ExitInstance() { return 0; }

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : GetModuleHandleA(nullptr); }

int AfxWinMain(HINSTANCE hInstance, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = hInstance;
    AfxCallGuarded([&] { app->InitInstance(); });
    int result = 0;
    AfxCallGuarded([&] { result = app->ExitInstance(); });
    AfxOleTerm();
    return result;
}
