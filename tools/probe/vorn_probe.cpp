// Starts a Windows program, waits for its first visible top-level window and
// reports what the demo and the benchmark need, then closes it:
//
//   vorn_probe.exe PROGRAM [--hold MS | --until FILE] [--timeout MS]
//
// Prints "shown_ms N" (from just before the process is created to the window
// being visible), "window X Y W H", "exstyle 0xN", "peak_working_set BYTES",
// "exit_code N". --hold keeps the window up for MS milliseconds, --until until
// FILE exists; then the window gets WM_CLOSE. Exits with 0 when the program
// showed a window and ended by itself after the close, 1 otherwise.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Options {
    std::string program;
    DWORD holdMs = 0;
    std::string untilFile;
    DWORD timeoutMs = 30000;
};

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId && IsWindowVisible(hwnd) && !GetWindow(hwnd, GW_OWNER)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool ParseOptions(int argc, char** argv, Options& options) {
    if (argc < 2) return false;
    options.program = argv[1];
    for (int i = 2; i + 1 < argc; i += 2) {
        if (!strcmp(argv[i], "--hold")) options.holdMs = strtoul(argv[i + 1], nullptr, 10);
        else if (!strcmp(argv[i], "--until")) options.untilFile = argv[i + 1];
        else if (!strcmp(argv[i], "--timeout")) options.timeoutMs = strtoul(argv[i + 1], nullptr, 10);
        else return false;
    }
    return true;
}

void Hold(const Options& options, HANDLE process) {
    if (!options.untilFile.empty()) {
        while (GetFileAttributesA(options.untilFile.c_str()) == INVALID_FILE_ATTRIBUTES &&
               WaitForSingleObject(process, 100) == WAIT_TIMEOUT) {
        }
    } else {
        WaitForSingleObject(process, options.holdMs);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        fprintf(stderr, "usage: vorn_probe PROGRAM [--hold MS | --until FILE] [--timeout MS]\n");
        return 2;
    }
    std::string commandLine = "\"" + options.program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER started, shown;
    QueryPerformanceCounter(&started);
    if (!CreateProcessA(options.program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        fprintf(stderr, "vorn_probe: cannot start %s (error %lu)\n", options.program.c_str(), GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);

    // Polled: a hook into another process is more than a probe needs.
    Search search = {process.dwProcessId, nullptr};
    const DWORD deadline = GetTickCount() + options.timeoutMs;
    while (!search.found && GetTickCount() < deadline && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(1);
    }
    QueryPerformanceCounter(&shown);
    if (!search.found) {
        fprintf(stderr, "vorn_probe: no window was shown\n");
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        return 1;
    }
    RECT rc;
    GetWindowRect(search.found, &rc);
    printf("shown_ms %.1f\n", Milliseconds(started, shown));
    printf("window %ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    printf("exstyle 0x%08lX\n", static_cast<unsigned long>(GetWindowLongA(search.found, GWL_EXSTYLE)));
    fflush(stdout);

    Hold(options, process.hProcess);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory))) {
        printf("peak_working_set %lu\n", static_cast<unsigned long>(memory.PeakWorkingSetSize));
    }
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    DWORD waited = WaitForSingleObject(process.hProcess, 15000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    if (waited != WAIT_OBJECT_0) {
        printf("exit_code none (still running after WM_CLOSE)\n");
        return 1;
    }
    printf("exit_code %lu\n", exitCode);
    return exitCode == 0 ? 0 : 1;
}
