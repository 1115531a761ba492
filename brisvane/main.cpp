// Brisvane.exe, the updater. The update library starts it from the install
// folder with the access token as its whole command line, after saving the
// server's manifest; it downloads the new version's files, stages them, lists
// them in Update.xml and starts the program again to complete the update.
#include <windows.h>

#include <string>

#include "progress_window.h"
#include "start_rules.h"
#include "win_handles.h"

namespace {

enum ExitCode { kUpdated = 0, kGaveUp = 1, kAlreadyRunning = 2, kNotStartedByTheGame = 3 };

// Two updaters in one folder would write the same staged files; folders are
// told apart by their full path.
HANDLE ClaimFolder() {
    char folder[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    HANDLE mutex = CreateMutexA(nullptr, TRUE, brisvane::UpdaterMutexName(folder).c_str());
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return nullptr;
    }
    return mutex;
}

int Main(HINSTANCE instance, int show) {
    // Only the update library's call counts: run by hand there is no saved
    // server manifest to work from, and nothing must change.
    if (!brisvane::IsUpdaterCommandLine(GetCommandLineA())) {
        MessageBoxA(nullptr, "更新程序由游戏登录器自动启动，请直接运行游戏。", "Arvendel登陆器 - 更新",
                    MB_OK | MB_ICONINFORMATION);
        return kNotStartedByTheGame;
    }
    zarnel::KernelHandle folder(ClaimFolder());
    if (!folder) return kAlreadyRunning;
    brisvane::CProgressWindow window;
    return window.Run(instance, show) ? kUpdated : kGaveUp;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    try {
        return Main(instance, show);
    } catch (...) {
        return kGaveUp;
    }
}
