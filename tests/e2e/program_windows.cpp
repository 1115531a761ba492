#include "program_windows.h"

namespace e2e {

namespace {

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

}  // namespace

HWND MainWindow(DWORD pid) {
    for (HWND window : TopLevelWindows(pid)) {
        if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER) && ClassName(window) == "#32770") {
            return window;
        }
    }
    return nullptr;
}

HWND LauncherWindow(DWORD pid, HWND owner) {
    if (!owner) {
        return nullptr;
    }
    for (HWND window : TopLevelWindows(pid)) {
        if (GetWindow(window, GW_OWNER) == owner && GetDlgItem(window, 1006)) {
            return window;
        }
    }
    return nullptr;
}

HWND MessageBoxWindow(DWORD pid) {
    for (HWND window : TopLevelWindows(pid)) {
        if (IsWindowVisible(window) && ClassName(window) == "#32770" && GetDlgItem(window, 0xFFFF)) {
            return window;
        }
    }
    return nullptr;
}

std::string WindowText(HWND window) {
    char text[512] = {};
    // WM_GETTEXT works across processes; GetWindowText may not for other processes' controls.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

RECT WindowRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

RECT ClientScreenRect(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND DeepestChildAt(HWND top, POINT screen) {
    HWND current = top;
    for (;;) {
        POINT local = screen;
        ScreenToClient(current, &local);
        HWND child = ChildWindowFromPointEx(current, local, CWP_SKIPINVISIBLE);
        if (!child || child == current) {
            return current;
        }
        current = child;
    }
}

int Width(const RECT& r) {
    return r.right - r.left;
}

int Height(const RECT& r) {
    return r.bottom - r.top;
}

}  // namespace e2e
