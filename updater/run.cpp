#include <windows.h>

#include <cstring>

#include "exports_impl.h"
#include "updater_token.h"
#include "win_handles.h"

namespace zarnel {

namespace {

constexpr char kUpdater[] = "./Brisvane.exe";

}  // namespace

bool Run(int* error) {
    *error = 0;
    // CreateProcessA may write into the command line, so it gets a buffer of
    // its own; the token alone is the child's whole command line.
    char commandLine[128] = {};
    static_assert(sizeof kUpdaterAccessToken <= sizeof commandLine, "token fits");
    std::memcpy(commandLine, kUpdaterAccessToken, sizeof kUpdaterAccessToken);

    // The updater starts with the window and standard-handle settings this
    // process was started with.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(kUpdater, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &started)) {
        *error = -1;
        return false;
    }
    // Not waited for: the launcher exits right after.
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    return true;
}

}  // namespace zarnel
