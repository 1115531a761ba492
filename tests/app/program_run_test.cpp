// Vorn_Login.exe itself: started as a player would start it, it shows its
// launcher-phase window, Enter leaves it up, and closing it ends the process
// cleanly.
#include "program_run.h"
#include "temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(Program, ShowsTheLauncherWindowAndEndsCleanlyWhenItCloses) {
    support::ScopedTempDir install;
    ASSERT_TRUE(support::WriteTextFile("WebCfg.ini", "[platform]\r\nclientAddr=http://127.0.0.1:9/\r\n"));
    support::ProgramRun program;
    ASSERT_TRUE(program.Start(VORN_LOGIN_EXE, "", "")) << GetLastError();
    HWND window = nullptr;
    support::WaitUntil([&] { return (window = support::ShownWindow(program.Pid())) || !program.Running(); }, 20000);
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
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(program.Process(), 1000));
    EXPECT_TRUE(IsWindowVisible(window));

    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(15000));
    EXPECT_EQ(0u, program.ExitCode());
}
