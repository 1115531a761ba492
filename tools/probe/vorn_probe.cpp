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

#include "program_run.h"

namespace {

struct Options {
    std::string program;
    DWORD holdMs = 0;
    std::string untilFile;
    DWORD timeoutMs = 30000;
};

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
    LARGE_INTEGER started, shown;
    QueryPerformanceCounter(&started);
    support::ProgramRun program;
    if (!program.Start(options.program, "", "")) {
        fprintf(stderr, "vorn_probe: cannot start %s (error %lu)\n", options.program.c_str(), GetLastError());
        return 1;
    }

    // Polled: a hook into another process is more than a probe needs.
    HWND window = nullptr;
    support::WaitUntil([&] { return (window = support::ShownWindow(program.Pid())) || !program.Running(); },
                       options.timeoutMs, 1);
    QueryPerformanceCounter(&shown);
    if (!window) {
        fprintf(stderr, "vorn_probe: no window was shown\n");
        return 1;
    }
    RECT rc;
    GetWindowRect(window, &rc);
    printf("shown_ms %.1f\n", Milliseconds(started, shown));
    printf("window %ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    printf("exstyle 0x%08lX\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)));
    fflush(stdout);

    Hold(options, program.Process());
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(program.Process(), &memory, sizeof(memory))) {
        printf("peak_working_set %lu\n", static_cast<unsigned long>(memory.PeakWorkingSetSize));
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!program.WaitForExit(15000)) {
        printf("exit_code none (still running after WM_CLOSE)\n");
        return 1;
    }
    const DWORD exitCode = program.ExitCode();
    printf("exit_code %lu\n", exitCode);
    return exitCode == 0 ? 0 : 1;
}
