// Drives the demo on a virtual display as a player would: waits for the
// launcher page, clicks its first button (a server's login), waits for the
// game window, then closes the program. Between the steps it prints a line
// and waits for a flag file, so the demo script can take its screenshots.
//   demo_login <stand-in log> <flag folder>
// Lines: "launcher-shown", "clicked x y", "game-shown <title>", "closed".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "program_run.h"

namespace {

// The main window's caption in the launcher phase (code page 936).
constexpr char kLauncherCaption[] = "Halden游戏-Arvendel登陆器";

struct Button {
    int x = 0, y = 0, w = 0, h = 0;
};

int Field(const std::string& line, const char* key) {
    const std::string marker = std::string(" ") + key + "=";
    const size_t at = line.find(marker);
    return at == std::string::npos ? -1 : std::atoi(line.c_str() + at + marker.size());
}

// The stand-in logs where it laid out each button of a page.
bool FirstButton(const char* logPath, Button* button) {
    std::ifstream log(logPath);
    std::string line;
    while (std::getline(log, line)) {
        if (line.find(" layout ") != std::string::npos && line.find("kind=button") != std::string::npos &&
            line.find("frame=top") != std::string::npos) {
            *button = {Field(line, "x"), Field(line, "y"), Field(line, "w"), Field(line, "h")};
            return button->w > 0;
        }
    }
    return false;
}

struct LauncherSearch {
    HWND main;
    HWND found;
};

BOOL CALLBACK FindLauncher(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<LauncherSearch*>(param);
    if (GetWindow(window, GW_OWNER) == search->main && GetDlgItem(window, 1006)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The launcher: the dialog with the close button that the main window owns.
HWND Launcher(HWND main) {
    LauncherSearch search{main, nullptr};
    EnumWindows(FindLauncher, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Step(const std::string& line, const std::string& flagFolder, const char* flag) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    const std::string path = flagFolder + "\\" + flag;
    support::WaitUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60000, 100);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: demo_login <stand-in log> <flag folder>\n");
        return 2;
    }
    HWND main = nullptr;
    HWND launcher = nullptr;
    const auto launcherShown = [&] {
        main = FindWindowA(nullptr, kLauncherCaption);
        launcher = main ? Launcher(main) : nullptr;
        return launcher && IsWindowVisible(launcher);
    };
    if (!support::WaitUntil(launcherShown, 30000, 100)) {
        std::fprintf(stderr, "no launcher\n");
        return 1;
    }
    Button button;
    if (!support::WaitUntil([&] { return FirstButton(argv[1], &button); }, 20000, 100)) {
        std::fprintf(stderr, "the launcher page shows no button\n");
        return 1;
    }
    Sleep(500);  // the page paints after its layout
    Step("launcher-shown", argv[2], "click");

    HWND browser = GetDlgItem(launcher, 1001);
    const LPARAM at = MAKELPARAM(button.x + button.w / 2, button.y + button.h / 2);
    PostMessageA(browser, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(browser, WM_LBUTTONUP, 0, at);
    std::printf("clicked %d %d\n", button.x + button.w / 2, button.y + button.h / 2);

    char title[256] = {};
    const auto gameShown = [&] {
        return !IsWindowVisible(launcher) && GetWindowTextA(main, title, sizeof title) > 0 &&
               std::string(title) != kLauncherCaption;
    };
    if (!support::WaitUntil(gameShown, 20000, 100)) {
        std::fprintf(stderr, "no game window after the click\n");
        return 1;
    }
    // The skin maximises the game window into the work area.
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    support::WaitUntil(
        [&] {
            RECT rc = {};
            GetWindowRect(main, &rc);
            return EqualRect(&rc, &work) != FALSE;
        },
        10000, 100);
    Sleep(1500);  // the game page loads in the main window's browser
    Step(std::string("game-shown ") + title, argv[2], "close");
    PostMessageA(main, WM_CLOSE, 0, 0);
    std::printf("closed\n");
    return 0;
}
