// Brisvane.exe's window seen from a test: its texts and its buttons.
#pragma once
#include <windows.h>

#include <string>

#include "program_run.h"
#include "progress_window.h"

namespace btest {

std::string ControlText(HWND window, int id);

class UpdaterWindow {
public:
    explicit UpdaterWindow(DWORD pid) : m_nPid(pid) {}
    // Waits for the shown window; false when none came.
    bool Wait(DWORD milliseconds = 30000);
    // Waits until the status line holds part; false when it never did.
    bool WaitForStatus(const std::string& part, DWORD milliseconds = 60000);
    std::string Status() const { return ControlText(m_hWnd, brisvane::kStatusText); }
    void Click(int id) const;
    HWND hwnd() const { return m_hWnd; }

private:
    DWORD m_nPid;
    HWND m_hWnd = nullptr;
};

}  // namespace btest
