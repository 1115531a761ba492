#include "updater_window.h"

namespace btest {

std::string ControlText(HWND window, int id) {
    char text[512] = {};
    SendMessageTimeoutA(GetDlgItem(window, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

bool UpdaterWindow::Wait(DWORD milliseconds) {
    return support::WaitUntil([&] { return (m_hWnd = support::ShownWindow(m_nPid)) != nullptr; }, milliseconds);
}

bool UpdaterWindow::WaitForStatus(const std::string& part, DWORD milliseconds) {
    return support::WaitUntil([&] { return Status().find(part) != std::string::npos; }, milliseconds);
}

void UpdaterWindow::Click(int id) const {
    PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(m_hWnd, id)));
}

}  // namespace btest
