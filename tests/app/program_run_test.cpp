// Vorn_Login.exe itself: started as a player would start it, it shows its
// launcher-phase window, Enter leaves it up, and closing it ends the process
// cleanly.
#include "temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId && IsWindowVisible(hwnd) && !GetWindow(hwnd, GW_OWNER)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

class RunningProgram {
public:
    RunningProgram() {
        std::string commandLine = "\"" VORN_LOGIN_EXE "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        m_started = CreateProcessA(VORN_LOGIN_EXE, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &m_process);
        if (m_started) CloseHandle(m_process.hThread);
    }
    ~RunningProgram() {
        if (!m_started) return;
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_process.hProcess, 99);
        CloseHandle(m_process.hProcess);
    }
    bool started() const { return m_started; }
    HANDLE process() const { return m_process.hProcess; }

    HWND WaitForWindow(DWORD timeoutMs) const {
        Search search = {m_process.dwProcessId, nullptr};
        const DWORD deadline = GetTickCount() + timeoutMs;
        while (!search.found && GetTickCount() < deadline && WaitForSingleObject(m_process.hProcess, 50) == WAIT_TIMEOUT) {
            EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        }
        return search.found;
    }

private:
    PROCESS_INFORMATION m_process = {};
    bool m_started = false;
};

}  // namespace

TEST(Program, ShowsTheLauncherWindowAndEndsCleanlyWhenItCloses) {
    support::ScopedTempDir install;
    ASSERT_TRUE(support::WriteTextFile("WebCfg.ini", "[platform]\r\nclientAddr=http://127.0.0.1:9/\r\n"));
    RunningProgram program;
    ASSERT_TRUE(program.started()) << GetLastError();
    HWND window = program.WaitForWindow(20000);
    ASSERT_NE(nullptr, window);

    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ("Halden游戏-Arvendel登陆器", title);
    RECT rc;
    GetWindowRect(window, &rc);
    EXPECT_EQ(980, rc.right - rc.left);
    EXPECT_EQ(650, rc.bottom - rc.top);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED);

    // Enter, as the player's keyboard would send it, leaves the window up.
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(window, WM_KEYUP, VK_RETURN, 0xC01C0001);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(program.process(), 1000));
    EXPECT_TRUE(IsWindowVisible(window));

    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.process(), 15000));
    DWORD exitCode = 99;
    GetExitCodeProcess(program.process(), &exitCode);
    EXPECT_EQ(0u, exitCode);
}
